# `make run` and `make test` are ./run and ./test, for those used to make.
# The other targets install what they need beyond ./run's packages themselves,
# and run what needs a display on a private virtual one.

ARGS ?=
DISPLAY_OF_OUR_OWN = scripts/on-virtual-display

.PHONY: run test bench screenshots valgrind windows clean

run:
	./run $(ARGS)

test:
	./test

# Benchmarks print figures and assert nothing. Built optimised, without the
# sanitizers; on a virtual display, software rendering has no vertical blank
# to wait for, so the frame rate is never capped.
bench:
	@scripts/install-deps bench
	@scripts/build build/bench -DCMAKE_BUILD_TYPE=Release -DVIEWER_BENCH=ON frame-benchmark matrix-benchmark
	$(DISPLAY_OF_OUR_OWN) sh -c 'build/bench/bench/frame-benchmark && build/bench/bench/matrix-benchmark'

# The README's pictures, rendered by driving the real viewer.
screenshots:
	@scripts/install-deps screenshots
	@scripts/build build -DCMAKE_BUILD_TYPE=Release vehicle-viewer
	$(DISPLAY_OF_OUR_OWN) scripts/take-screenshots build/vehicle-viewer

# A short scripted session of the real viewer under valgrind's memcheck.
valgrind:
	@scripts/install-deps valgrind
	@scripts/build build/valgrind -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIEWER_TOOLS=ON vehicle-viewer close-window
	$(DISPLAY_OF_OUR_OWN) tests/e2e/valgrind_session.sh build/valgrind/vehicle-viewer \
	  build/valgrind/tests/tools/close-window

# The viewer cross-built for Windows against freeglut's Debian source, then
# run under Wine and checked there with the end-to-end tests' tools, built
# for Linux.
windows:
	@scripts/install-deps windows
	@scripts/build-windows
	@scripts/build build/windows/tools -DVIEWER_TOOLS=ON close-window reference-frame
	$(DISPLAY_OF_OUR_OWN) tests/windows/wine_check.sh build/windows/vehicle-viewer.exe \
	  build/windows/tools/tests/tools/close-window build/windows/tools/tests/tools/reference-frame

clean:
	rm -rf build
