// The viewer redraws continuously, so nothing it does per frame or per input
// event may touch the heap: the one matrix buffer is made before main, and
// everything else lives in sceneState or on the stack.
//
// How the count is kept to the program's own allocations:
//  - This file replaces every form of the global operator new for the whole
//    test process. Replacement is program-wide, so it also sees allocations the
//    C++ standard library makes on our behalf (a std::string or std::vector
//    growing inside libstdc++.so), not just `new` written in src/.
//  - GLUT, Mesa and the X libraries are C and allocate with malloc, which this
//    file does not hook, so their internal allocations never reach the count.
//    Only the parts of the driver written in C++ call operator new: Mesa's
//    shader compiler and LLVM inside swrast_dri.so, which build a program the
//    first time a combination of GL state is drawn (without a warm-up, some
//    4800 calls from swrast_dri.so show up in the first 1000 frames). The
//    warm-up draws every combination the viewer can reach before counting
//    starts, and each counted call records its caller, so a failure names the
//    library it came from.
//  - The counting flag is thread-local and set only on the thread that runs
//    the frames: llvmpipe's rasteriser threads are not ours, and the viewer
//    itself is single-threaded, so nothing of ours runs anywhere else.
//  - That leaves a C allocation written in our own code (malloc, strdup...),
//    which operator new cannot see. The second test looks for it in the
//    symbols the viewer library's frame and input objects import (`nm -u`).
//
// Each replaced operator new counts, then hands the request on to the
// definition it displaced (found with dlsym(RTLD_NEXT)): AddressSanitizer's
// under the sanitizers, libstdc++'s otherwise. The delete side is left alone,
// so every block still goes back to the allocator that made it, and the
// sanitizer keeps its new/delete mismatch checks for every test in this
// binary, not only this file's.

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <regex>
#include <string>

#include "app/scene_state.h"
#include "gl_test_support.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "scene/display_scene.h"
#include "transform/projection.h"

namespace {

thread_local bool countingHere = false;
std::atomic<long> allocationCount{0};
constexpr int kCallersKept = 64;
std::array<std::atomic<void *>, kCallersKept> callers{};

void noteAllocation(void *caller) {
  if (!countingHere) return;
  const long n = allocationCount.fetch_add(1);
  if (n < kCallersKept) callers[static_cast<std::size_t>(n)].store(caller);
}

// The displaced definition of one operator new form, looked up once. dlsym
// allocates with malloc if at all, so looking it up cannot recurse here.
template <typename Function>
Function displaced(std::atomic<Function> &slot, const char *mangledName) {
  Function f = slot.load(std::memory_order_acquire);
  if (f == nullptr) {
    f = reinterpret_cast<Function>(dlsym(RTLD_NEXT, mangledName));
    if (f == nullptr) {
      std::fprintf(stderr, "allocation_test: no %s to forward to\n", mangledName);
      std::abort();
    }
    slot.store(f, std::memory_order_release);
  }
  return f;
}

using PlainNew = void *(*)(std::size_t);
using NothrowNew = void *(*)(std::size_t, const std::nothrow_t &);
using AlignedNew = void *(*)(std::size_t, std::align_val_t);
using AlignedNothrowNew = void *(*)(std::size_t, std::align_val_t, const std::nothrow_t &);

std::atomic<PlainNew> nextNew{nullptr}, nextNewArray{nullptr};
std::atomic<NothrowNew> nextNothrowNew{nullptr}, nextNothrowNewArray{nullptr};
std::atomic<AlignedNew> nextAlignedNew{nullptr}, nextAlignedNewArray{nullptr};
std::atomic<AlignedNothrowNew> nextAlignedNothrowNew{nullptr}, nextAlignedNothrowNewArray{nullptr};

}  // namespace

void *operator new(std::size_t size) {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextNew, "_Znwm")(size);
}
void *operator new[](std::size_t size) {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextNewArray, "_Znam")(size);
}
void *operator new(std::size_t size, const std::nothrow_t &tag) noexcept {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextNothrowNew, "_ZnwmRKSt9nothrow_t")(size, tag);
}
void *operator new[](std::size_t size, const std::nothrow_t &tag) noexcept {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextNothrowNewArray, "_ZnamRKSt9nothrow_t")(size, tag);
}
void *operator new(std::size_t size, std::align_val_t alignment) {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextAlignedNew, "_ZnwmSt11align_val_t")(size, alignment);
}
void *operator new[](std::size_t size, std::align_val_t alignment) {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextAlignedNewArray, "_ZnamSt11align_val_t")(size, alignment);
}
void *operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t &tag) noexcept {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextAlignedNothrowNew, "_ZnwmSt11align_val_tRKSt9nothrow_t")(size, alignment, tag);
}
void *operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t &tag) noexcept {
  noteAllocation(__builtin_return_address(0));
  return displaced(nextAlignedNothrowNewArray, "_ZnamSt11align_val_tRKSt9nothrow_t")(size, alignment, tag);
}

namespace {

// Where the recorded callers live: "library (function)" and how many calls.
std::string describeCallers(long count) {
  std::map<std::string, int> where;
  for (long i = 0; i < count && i < kCallersKept; ++i) {
    void *caller = callers[static_cast<std::size_t>(i)].load();
    Dl_info info{};
    std::string name = "unknown";
    if (dladdr(caller, &info) != 0) {
      name = info.dli_fname != nullptr ? info.dli_fname : "?";
      if (info.dli_sname != nullptr) name += std::string(" (") + info.dli_sname + ")";
    }
    ++where[name];
  }
  std::string out;
  for (const auto &[name, n] : where) out += "\n  " + std::to_string(n) + " x from " + name;
  return out;
}

// One frame's worth of input, varied by frame number so that over the run
// every key code, button, state and drag mode is used.
void feedInput(int frame) {
  onKey(static_cast<unsigned char>(frame % 256), frame, frame);
  onKey(static_cast<unsigned char>('1' + frame % 5), 0, 0);
  onMouse(frame % 5, frame % 2, 300 + frame % 7, 300);
  onDrag(300 + frame % 11 - 5, 310);
  onDrag(-1000000 + frame, 0);
}

// Every state combination a frame can be drawn in, a few frames each, so the
// driver has built what it needs before anything is counted.
void warmUp() {
  for (int ortho = 0; ortho < 2; ++ortho) {
    for (int grid = 0; grid < 2; ++grid) {
      for (int wire = 0; wire < 2; ++wire) {
        sceneState.orthoView = ortho;
        sceneState.showGrid = grid;
        sceneState.wireframe = wire;
        setupProjection();
        for (int i = 0; i < 3; ++i) displayScene();
      }
    }
  }
  for (int frame = 0; frame < 300; ++frame) {
    feedInput(frame);
    displayScene();
  }
}

TEST(Allocation, FramesAndInputEventsAllocateNothing) {
  prepareViewerWindow();
  sceneState.spinX = sceneState.spinY = sceneState.spinZ = 1;
  warmUp();
  glFinish();

  // The count itself must work, or zero would prove nothing.
  countingHere = true;
  int *volatile probe = new int(7);  // volatile: the pair cannot be optimised away
  delete probe;
  countingHere = false;
  ASSERT_EQ(allocationCount.exchange(0), 1) << "the replaced operator new is not in use";

  constexpr int kFrames = 1000;
  countingHere = true;
  for (int frame = 0; frame < kFrames; ++frame) {
    feedInput(frame);
    displayScene();
  }
  glFinish();
  countingHere = false;

  const long count = allocationCount.load();
  std::printf("operator new calls during %d frames with input: %ld\n", kFrames, count);
  EXPECT_EQ(count, 0) << describeCallers(count);
}

// What `command` prints; empty if it could not run.
std::string outputOf(const std::string &command) {
  std::string output;
  if (FILE *pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

TEST(Allocation, FrameAndInputCodeImportsNoCAllocator) {
  // The viewer library sits one level above this test binary
  // (build/tests/viewer-tests beside build/libviewer.a).
  char self[PATH_MAX] = {};
  if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) GTEST_SKIP() << "no /proc/self/exe";
  std::string library = self;
  library = library.substr(0, library.rfind('/'));
  library = library.substr(0, library.rfind('/')) + "/libviewer.a";
  if (access(library.c_str(), R_OK) != 0) GTEST_SKIP() << "no viewer library at " << library;

  // Undefined symbols of the objects whose code runs in a frame or an input
  // event, one "libviewer.a[object.cpp.o]: symbol U" a line.
  const std::string frameObjects =
      "(display_scene|primitives|transform_matrix|look_at|projection|keyboard|mouse|scene_state)\\.cpp\\.o";
  const std::string imports =
      outputOf("nm -u -A --format=posix '" + library + "' | grep -E '\\[" + frameObjects + "\\]'");
  ASSERT_NE(imports, "") << "nm listed none of the frame objects in " << library;
  const std::regex cAllocator(
      ": (malloc|calloc|realloc|reallocarray|aligned_alloc|posix_memalign|memalign|valloc|pvalloc|strdup|"
      "strndup|asprintf|vasprintf)[@ ]");
  std::smatch found;
  EXPECT_FALSE(std::regex_search(imports, found, cAllocator)) << "a frame object imports" << found.str();
}

}  // namespace
