# Two entry points: `make run` builds and starts the viewer, `make test` builds
# and runs every test headless. Both install what is missing first.

BUILD_DIR := build
TEST_BUILD_DIR := build/sanitized
JOBS := $(shell nproc 2>/dev/null || echo 2)
XVFB_SCREEN := -screen 0 1280x1024x24
ARGS ?=

.PHONY: run test build deps clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) --target vehicle-viewer -j $(JOBS)

run: build
	@scripts/check-display
	./$(BUILD_DIR)/vehicle-viewer $(ARGS)

# The tests build the viewer again, with AddressSanitizer and
# UndefinedBehaviorSanitizer, and run on a private virtual display.
test: deps
	@cmake -S . -B $(TEST_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DVIEWER_TESTS=ON -DVIEWER_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	xvfb-run -a -s "$(XVFB_SCREEN)" ctest --test-dir $(TEST_BUILD_DIR) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
