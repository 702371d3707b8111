# `make run` and `make test` are ./run and ./test, for those used to make.
# The other targets install what they need beyond ./run's packages themselves.

ARGS ?=

.PHONY: run test bench screenshots valgrind windows web clean

run:
	./run $(ARGS)

test:
	./test

# Benchmarks print figures and assert nothing. Built optimised, without the
# sanitizers; run on a private virtual display, where software rendering has
# no vertical blank to wait for, so the frame rate is never capped.
bench:
	@scripts/install-deps bench
	@scripts/build build/bench -DCMAKE_BUILD_TYPE=Release -DVIEWER_BENCH=ON frame-benchmark matrix-benchmark
	scripts/on-virtual-display sh -c 'build/bench/bench/frame-benchmark && build/bench/bench/matrix-benchmark'

# The README's pictures, rendered headless by driving the real viewer.
screenshots:
	@scripts/install-deps screenshots
	@scripts/build build -DCMAKE_BUILD_TYPE=Release vehicle-viewer
	scripts/take-screenshots build/vehicle-viewer

# A short scripted session of the real viewer under valgrind's memcheck.
valgrind:
	@scripts/install-deps valgrind
	@scripts/build build/valgrind -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIEWER_TESTS=ON vehicle-viewer close-window
	tests/e2e/valgrind_session.sh build/valgrind/vehicle-viewer build/valgrind/tests/close-window

# The viewer cross-built for Windows against freeglut's Debian source, then
# run under Wine on a private virtual display and checked there with the
# end-to-end tests' tools, built for Linux.
windows:
	@scripts/install-deps windows
	@scripts/build-windows
	@scripts/build build/windows/tools -DVIEWER_TESTS=ON close-window reference-frame
	tests/windows/wine_check.sh build/windows/vehicle-viewer.exe build/windows/tools/tests/close-window \
	  build/windows/tools/tests/reference-frame

# The viewer for the browser, built with Emscripten into build/web/, then
# served from 127.0.0.1 and checked in headless Chromium with the end-to-end
# tests' reference pictures, drawn by their tool built for Linux.
web:
	@scripts/install-deps web
	@scripts/build-web
	@scripts/build build/web/tools -DVIEWER_TESTS=ON reference-frame
	tests/web/web_check.sh build/web build/web/tools/tests/reference-frame

clean:
	rm -rf build
