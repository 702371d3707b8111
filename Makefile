# `make run` and `make test` are ./run and ./test, for those used to make.
# The other targets install what they need beyond ./run's packages themselves,
# and run what needs a display on a private virtual one.

ARGS ?=
DISPLAY_OF_OUR_OWN = scripts/on-virtual-display

.PHONY: run test bench screenshots valgrind windows deb web bench-web dist clean

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

# The viewer cross-built for Windows against freeglut's Debian source and
# packed into the release zip, which is checked, unpacked, and its .exe run
# under Wine and checked there with the end-to-end tests' tools, built for
# Linux.
windows:
	@scripts/install-deps windows
	@scripts/build-windows
	@scripts/build build/windows/tools -DVIEWER_TOOLS=ON close-window reference-frame
	$(DISPLAY_OF_OUR_OWN) tests/windows/release_check.sh build/windows/vehicle-viewer-$$(scripts/version)-windows-x64.zip \
	  build/windows/tools/tests/tools/close-window build/windows/tools/tests/tools/reference-frame

# The Debian package, built with debhelper from a copy of the tree in
# build/deb/ and checked with lintian and the desktop's validators.
deb:
	@scripts/install-deps deb
	scripts/build-deb

# The viewer for the browser, built with Emscripten into build/web/, then
# served from 127.0.0.1 and checked in Chromium, Firefox and WebKitGTK with
# the end-to-end tests' reference pictures, drawn by their tool built for
# Linux. WEB_CHECK takes the check's options: make web WEB_CHECK="--engine
# firefox --only ratio".
WEB_CHECK ?=
WEB_TOOLS = build/web-build/tools/tests/tools
web:
	@scripts/install-deps web
	@scripts/build-web
	@scripts/build build/web-build/tools -DVIEWER_TOOLS=ON reference-frame picture-distance
	$(DISPLAY_OF_OUR_OWN) tests/web/web_check.sh $(WEB_CHECK) build/web $(WEB_TOOLS)/reference-frame \
	  $(WEB_TOOLS)/picture-distance

# The page's animation frames a second against a blank page's, and its
# memory, in each of the three browsers. Prints figures, asserts nothing.
bench-web:
	@scripts/install-deps web
	@scripts/build-web
	$(DISPLAY_OF_OUR_OWN) bench/web_bench.sh build/web

# The source tarball of the committed tree.
dist:
	scripts/make-dist

clean:
	rm -rf build
