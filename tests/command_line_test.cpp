// The nine-number command line: how values are read, and that whatever a
// shell can hand the viewer is read without a crash or a sanitizer report,
// leaves only finite numbers in the camera and light, touches nothing unless
// there are exactly nine values, and draws frames OpenGL can use.

#include "app/command_line.h"

#include <GL/freeglut.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "app/lighting.h"
#include "app/scene_state.h"
#include "gl_test_support.h"
#include "scene/display_scene.h"
#include "transform/projection.h"

namespace {

void runWith(std::vector<std::string> values) {
  values.insert(values.begin(), "vehicle-viewer");
  std::vector<char *> argv;
  for (std::string &v : values) argv.push_back(v.data());
  argv.push_back(nullptr);
  applyCommandLine(static_cast<int>(values.size()), argv.data());
}

TEST(CommandLine, EachValueIsReadAsAtoiReadsIt) {
  struct Reading {
    std::string text;
    float value;
  };
  const std::vector<Reading> readings = {
      {"2.7", 2},
      {"-2.9", -2},
      {"abc", 0},
      {"7x", 7},
      {"", 0},
      {"  42", 42},
      {"+8", 8},
      {"-0", 0},
      {"0x1A", 0},
      {"1e5", 1},
      {"--3", 0},
      {"\t-12 ", -12},
      {"2147483647", static_cast<float>(INT_MAX)},
      {"-2147483648", static_cast<float>(INT_MIN)},
      {"2147483648", static_cast<float>(INT_MAX)},
      {"-2147483649", static_cast<float>(INT_MIN)},
      {"99999999999999999999999", static_cast<float>(INT_MAX)},
      {"-99999999999999999999999", static_cast<float>(INT_MIN)},
  };
  for (const Reading &r : readings) {
    SCOPED_TRACE("\"" + r.text + "\"");
    sceneState = SceneState{};
    // The value under test stands in every position, eye and up included.
    runWith(std::vector<std::string>(9, r.text));
    EXPECT_THAT(sceneState.cameraParams, ::testing::Each(r.value));
    EXPECT_THAT(sceneState.lightPosition, ::testing::ElementsAre(r.value, r.value, r.value, 0));
  }
}

// What the viewer should read from an argument: atoi's own reading wherever
// atoi's result is defined, that is where the number fits in an int; beyond
// that, the end of int's range on the number's side.
int expectedReading(const std::string &text) {
  errno = 0;
  const long long wide = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == 0 && wide >= INT_MIN && wide <= INT_MAX) return std::atoi(text.c_str());
  return wide < 0 ? INT_MIN : INT_MAX;
}

// One argument, assembled from pieces a hurried or hostile user might type.
std::string randomArgument(std::mt19937 &rng) {
  auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  auto digits = [&](int count) {
    std::string d;
    for (int i = 0; i < count; ++i) d += static_cast<char>('0' + pick(10));
    return d;
  };
  std::string out;
  const int pieces = pick(4);  // 0 pieces: the empty argument
  for (int p = 0; p < pieces; ++p) {
    switch (pick(12)) {
      case 0: out += digits(1 + pick(3)); break;
      case 1: out += digits(9 + pick(4)); break;    // around the edge of int
      case 2: out += digits(15 + pick(40)); break;  // far beyond long
      case 3: out += "-"; break;
      case 4: out += "+"; break;
      case 5: out += "." + digits(pick(4)); break;
      case 6: out += "e" + digits(1 + pick(3)); break;
      case 7: out += " \t\n\v\f\r"[pick(6)]; break;
      case 8: out += static_cast<char>(0x80 + pick(128)); break;  // non-ASCII byte
      case 9: out += "0x"; break;
      case 10: out += static_cast<char>(0x21 + pick(94)); break;  // any printable
      default:
        out += std::to_string(std::uniform_int_distribution<long long>(LLONG_MIN, LLONG_MAX)(rng));
        break;
    }
  }
  return out;
}

TEST(CommandLine, RandomArgumentVectorsAreReadSafelyAndExactly) {
  const std::uint32_t seed = fuzzSeed(20240611u);
  std::cout << "command-line fuzz seed " << seed << " (set VIEWER_FUZZ_SEED to change)\n";
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  sceneState = SceneState{};

  constexpr int kVectors = 6000;
  int nineValueVectors = 0;
  for (int n = 0; n < kVectors; ++n) {
    // Half the vectors carry exactly nine values, the rest 0 to 20; argc 0
    // (an empty argv, which execve allows) is among them.
    const bool nine = std::bernoulli_distribution(0.5)(rng);
    const int values = nine ? 9 : std::uniform_int_distribution<int>(-1, 20)(rng);
    const int argc = values + 1;

    std::vector<std::string> args;
    if (argc > 0) args.push_back("vehicle-viewer");
    for (int i = 0; i < values; ++i) args.push_back(randomArgument(rng));
    // Each argument gets its own exactly-sized heap block, so AddressSanitizer
    // sees any read past its terminator.
    std::vector<std::vector<char>> storage;
    std::vector<char *> argv;
    for (const std::string &a : args)
      argv.push_back(storage.emplace_back(a.c_str(), a.c_str() + a.size() + 1).data());
    argv.push_back(nullptr);

    const SceneState before = sceneState;
    applyCommandLine(argc, argv.data());

    SceneState expected = before;
    if (values == 9) {
      ++nineValueVectors;
      for (int i = 0; i < 9; ++i) expected.cameraParams[i] = static_cast<float>(expectedReading(args[i + 1]));
      for (int i = 0; i < 3; ++i) expected.lightPosition[i] = expected.cameraParams[i];
    }

    // Every value a whole number in int's range: finite, whatever the
    // argument held.
    ASSERT_TRUE(sameState(sceneState, expected)) << "vector " << n << ": " << ::testing::PrintToString(args);
  }
  // The generator really did exercise the reading, not only the ignoring.
  EXPECT_GT(nineValueVectors, kVectors / 3);
}

// The cameras at the edges of what nine whole numbers can say, drawn: the
// frame must leave only finite matrices in OpenGL and raise no error, in both
// projections.
TEST(CommandLine, ExtremeCamerasDrawFramesWithFiniteMatrices) {
  const std::string max = "2147483647";
  const std::string min = "-2147483648";
  const std::vector<std::vector<std::string>> cameras = {
      {max, max, max, min, min, min, max, max, max},  // farthest eye, up along the line of sight
      {max, min, max, min, max, min, "0", "1", "0"},  // longest line of sight
      {"1", "1", "1", "0", "0", "0", max, min, max},  // huge up vector
      {"1", "0", "0", "0", "0", "0", "0", "0", max},  // small sight, huge up
      {"5", "5", "5", "5", "5", "5", "0", "1", "0"},  // eye on the centre
      {"1", "1", "1", "0", "0", "0", "2", "2", "2"},  // up along the line of sight
      {"3", "4", "5", "0", "0", "0", "0", "0", "0"},  // no up at all
      {"0", "0", "0", "0", "0", "0", "0", "0", "0"},  // all zero: light with no direction
  };
  for (int ortho = 0; ortho < 2; ++ortho) {
    for (const auto &camera : cameras) {
      SCOPED_TRACE(std::string(ortho != 0 ? "orthographic" : "perspective") + ", camera " +
                   ::testing::PrintToString(camera));
      prepareViewerWindow();
      sceneState.orthoView = ortho;
      runWith(camera);
      const StackDepths start = stackDepths();
      displayScene();
      EXPECT_EQ(glStateProblems(start), "");
    }
  }
}

}  // namespace
