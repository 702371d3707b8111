// The viewer under a storm of input: every key code, every mouse button and
// state, pointer positions far outside the window and drags in every mode,
// interleaved with real frames and window resizes. Whatever arrives, the
// state must stay inside its ranges, OpenGL must stay healthy, and, since
// the viewer redraws continuously, nothing it does per frame or per input
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
//    symbols the viewer library's objects import (`nm -u`), all but those
//    that run only at start-up.
//
// Each replaced operator new counts, then hands the request on to the
// definition it displaced (found with dlsym(RTLD_NEXT)): AddressSanitizer's
// under the sanitizers, libstdc++'s otherwise. The delete side is left alone,
// so every block still goes back to the allocator that made it, and the
// sanitizer keeps its new/delete mismatch checks for every test in this
// binary, not only this file's.

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <new>
#include <random>
#include <regex>
#include <sstream>
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

// Every state combination a frame can be drawn in, a few frames each, at
// the window sizes a resize can give, so the driver has built what it needs
// before anything is counted.
void warmUp() {
  for (int side : {0, 600, 2000}) {
    reshapeWindow(side, side);
    for (int combination = 0; combination < 8; ++combination) {
      sceneState.orthoView = combination & 1;
      sceneState.showGrid = (combination >> 1) & 1;
      sceneState.wireframe = (combination >> 2) & 1;
      setupProjection();
      for (int i = 0; i < 3; ++i) displayScene();
    }
  }
  sceneState = SceneState{};
  reshapeWindow(600, 600);
}

// Whether every field is inside the range the viewer promises.
bool stateSound(const SceneState &s) {
  auto within = [](auto v, auto lo, auto hi) { return v >= lo && v <= hi; };
  bool sound = within(s.mouseMode, 0, 4) && std::isfinite(s.vehicleX) && std::isfinite(s.bodyYaw);
  for (float joint : {s.jointAngle1, s.jointAngle2, s.jointAngle3}) {
    sound = sound && within(joint, -90.f, 0.f);
  }
  for (int flag : {s.orthoView, s.showGrid, s.wireframe, s.spinX, s.spinY, s.spinZ}) {
    sound = sound && within(flag, 0, 1);
  }
  for (int count : {s.spinCountX, s.spinCountY, s.spinCountZ}) sound = sound && within(count, 0, 359);
  return sound;
}

// Runs `call` with the program's operator new calls counted.
template <typename Call>
void counted(const Call &call) {
  countingHere = true;
  call();
  countingHere = false;
}

TEST(InputStorm, KeepsStateInRangeAndOpenGlSoundAndTouchesNoHeap) {
  prepareViewerWindow();
  warmUp();
  glFinish();
  while (glGetError() != GL_NO_ERROR) {
  }
  const StackDepths start = stackDepths();

  // The count itself must work, or zero would prove nothing.
  counted([] {
    int *volatile probe = new int(7);  // volatile: the pair cannot be optimised away
    delete probe;
  });
  ASSERT_EQ(allocationCount.exchange(0), 1) << "the replaced operator new is not in use";

  const std::uint32_t seed = fuzzSeed(777013u);
  std::cout << "event-storm seed " << seed << " (set VIEWER_FUZZ_SEED to change)\n";
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

  constexpr int kEvents = 120000;
  constexpr int kEventsPerFrame = 120;
  int frames = 0;
  int dragsInMode[5] = {};
  int lastX = 300;
  for (int n = 1; n <= kEvents; ++n) {
    std::string event;
    const int kind = uniform(0, 9);
    if (kind <= 2) {
      const unsigned char key = static_cast<unsigned char>(uniform(0, 255));
      const int x = uniform(-1000000, 1000000), y = uniform(-1000000, 1000000);
      counted([=] { onKey(key, x, y); });
      event = "onKey(" + std::to_string(key) + ")";
    } else if (kind == 3) {
      // Random keys rarely choose a mode, so choose one outright as well.
      const unsigned char key = static_cast<unsigned char>('1' + uniform(0, 4));
      counted([=] { onKey(key, 0, 0); });
      event = std::string("onKey('") + static_cast<char>(key) + "')";
    } else if (kind == 4) {
      const int button = uniform(0, 4);
      const int state = uniform(0, 1);
      lastX = uniform(-1000000, 1000000);
      const int y = uniform(-1000000, 1000000);
      counted([=] { onMouse(button, state, lastX, y); });
      event = "onMouse(" + std::to_string(button) + ", " + std::to_string(state) + ", " +
              std::to_string(lastX) + ")";
    } else {
      // Drags: mostly a hand's small steps, sometimes a jump anywhere.
      const int x =
          kind == 9 ? uniform(-1000000, 1000000) : std::clamp(lastX + uniform(-40, 40), -1000000, 1000000);
      const int y = uniform(-1000000, 1000000);
      ++dragsInMode[std::clamp(sceneState.mouseMode, 0, 4)];
      counted([=] { onDrag(x, y); });
      lastX = x;
      event = "onDrag(" + std::to_string(x) + ") in mode " + std::to_string(sceneState.mouseMode);
    }
    ASSERT_TRUE(stateSound(sceneState)) << "after event " << n << ": " << event << "\n"
                                        << ::testing::PrintToString(sceneState);

    if (n % 997 == 0) {
      const int w = uniform(0, 2000);
      const int h = uniform(0, 2000);
      counted([=] { reshapeWindow(w, h); });
      ASSERT_EQ(glStateProblems(start), "") << "after reshapeWindow(" << w << ", " << h << "), event " << n;
    }
    if (n % kEventsPerFrame == 0) {
      counted([] { displayScene(); });
      ++frames;
      ASSERT_EQ(glStateProblems(start), "") << "after frame " << frames << " (event " << n << ")";
      ASSERT_TRUE(stateSound(sceneState)) << "after frame " << frames << "\n"
                                          << ::testing::PrintToString(sceneState);
    }
  }
  counted([] { glFinish(); });
  EXPECT_EQ(frames, kEvents / kEventsPerFrame);
  for (int mode = 0; mode < 5; ++mode) EXPECT_GT(dragsInMode[mode], 1000) << "too few drags in mode " << mode;
  const long count = allocationCount.load();
  std::printf("operator new calls during %d events and %d frames: %ld\n", kEvents, frames, count);
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
  // Undefined symbols of every object but those that run only at start-up,
  // before the first frame: one "library.a[object.cpp.o]: symbol U" a line.
  const std::string startUpObjects = "(command_line|lighting|control_panel)\\.cpp\\.o";
  std::string imports;
  std::istringstream libraries(VIEWER_LIBRARIES);
  for (std::string library; std::getline(libraries, library, ':');) {
    ASSERT_EQ(access(library.c_str(), R_OK), 0) << "no library at " << library;
    imports +=
        outputOf("nm -u -A --format=posix '" + library + "' | grep -v -E '\\[" + startUpObjects + "\\]'");
  }
  ASSERT_THAT(imports, ::testing::HasSubstr("[display_scene.cpp.o]")) << "nm listed no frame object";
  ASSERT_THAT(imports, ::testing::HasSubstr("[glui.cpp.o]")) << "nm listed no panel object";
  const std::regex cAllocator(
      ": (malloc|calloc|realloc|reallocarray|aligned_alloc|posix_memalign|memalign|valloc|pvalloc|strdup|"
      "strndup|asprintf|vasprintf)[@ ]");
  std::smatch found;
  EXPECT_FALSE(std::regex_search(imports, found, cAllocator))
      << "an object that runs after start-up imports" << found.str();
}

}  // namespace
