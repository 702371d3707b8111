# Two entry points: `make run` builds and starts the viewer, `make test` builds
# and runs every test headless. Both install what is missing first.

BUILD_DIR := build
TEST_BUILD_DIR := build/sanitized
BENCH_BUILD_DIR := build/bench
VALGRIND_BUILD_DIR := build/valgrind
JOBS := $(shell nproc 2>/dev/null || echo 2)
# -noreset: by default the server resets whenever its last client leaves, and
# refuses a client (the next test process) that connects meanwhile.
XVFB_SERVER_ARGS := -screen 0 1280x1024x24 -noreset
ARGS ?=

.PHONY: run test bench screenshots valgrind build deps clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) --target vehicle-viewer -j $(JOBS)

run: build
	@scripts/check-display
	./$(BUILD_DIR)/vehicle-viewer $(ARGS)

# The tests build the viewer again, with AddressSanitizer and
# UndefinedBehaviorSanitizer, and run on a private virtual display. They run
# one at a time: their windows share that display, and one test's windows
# coming and going would send redraws to another's.
test: deps
	@cmake -S . -B $(TEST_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DVIEWER_TESTS=ON -DVIEWER_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	xvfb-run -a -s "$(XVFB_SERVER_ARGS)" ctest --test-dir $(TEST_BUILD_DIR) --output-on-failure

# Benchmarks print figures and assert nothing. Built optimised, without the
# sanitizers; run on a private virtual display, where software rendering has
# no vertical blank to wait for, so the frame rate is never capped.
bench: deps
	@cmake -S . -B $(BENCH_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DVIEWER_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD_DIR) --target frame-benchmark matrix-benchmark -j $(JOBS)
	xvfb-run -a -s "$(XVFB_SERVER_ARGS)" sh -c './$(BENCH_BUILD_DIR)/bench/frame-benchmark && ./$(BENCH_BUILD_DIR)/bench/matrix-benchmark'

# The README's pictures, rendered headless by driving the real viewer.
screenshots: build
	scripts/take-screenshots $(BUILD_DIR)/vehicle-viewer

# A short scripted session of the real viewer under valgrind's memcheck.
valgrind: deps
	@cmake -S . -B $(VALGRIND_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIEWER_TESTS=ON >/dev/null
	@cmake --build $(VALGRIND_BUILD_DIR) --target vehicle-viewer close-window -j $(JOBS)
	tests/e2e/valgrind_session.sh $(VALGRIND_BUILD_DIR)/vehicle-viewer $(VALGRIND_BUILD_DIR)/tests/close-window

clean:
	rm -rf $(BUILD_DIR)
