// Sanitizer settings built into the test program, so that they hold however
// it is started: by CTest, by hand or under a debugger.

extern "C" {

// handle_abort: a stalled set-up aborts (test_main.cpp); print the stack it
// stalled in.
// intercept_tls_get_addr: left on, the sanitizers record each dynamic TLS
// block the GL driver's libraries ask for, and for some heap layouts take a
// block for one laid out as glibc 2.19 did and read a size and start from
// before it; the leak check then walks that garbage and its tracer dies
// (seen in one test only under CTest, whose environment moves the heap).
// Off, the blocks are ordinary heap blocks reached from the thread's DTV, and
// the leak check still scans them.
__attribute__((visibility("default"), used)) const char *__asan_default_options() {
  return "handle_abort=1:intercept_tls_get_addr=0";
}

// Stop at the first report of undefined behaviour, with the stack that led
// to it.
__attribute__((visibility("default"), used)) const char *__ubsan_default_options() {
  return "print_stacktrace=1:halt_on_error=1";
}

// Leaks that live inside the GL driver, the GL dispatch and X libraries and
// freeglut: what they keep for windows and contexts until the process ends.
// None is an allocation of ours.
__attribute__((visibility("default"), used)) const char *__lsan_default_suppressions() {
  return "leak:swrast_dri.so\n"
         "leak:libGLX_mesa.so\n"
         "leak:libX11.so\n"
         "leak:libXi.so\n"
         "leak:libglut.so\n";
}

}  // extern "C"
