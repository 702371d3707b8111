// The nine-number command line: how values are read, and what is ignored.

#include "app/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/scene_state.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

void runWith(std::vector<std::string> values) {
  values.insert(values.begin(), "vehicle-viewer");
  std::vector<char *> argv;
  for (std::string &v : values) argv.push_back(v.data());
  argv.push_back(nullptr);
  applyCommandLine(static_cast<int>(values.size()), argv.data());
}

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override { sceneState = SceneState{}; }
};

TEST_F(CommandLineTest, NineValuesSetTheCameraAndPointTheLightFromTheEye) {
  runWith({"3", "4", "5", "0", "0", "0", "0", "1", "0"});
  EXPECT_THAT(sceneState.cameraParams, ElementsAre(3, 4, 5, 0, 0, 0, 0, 1, 0));
  EXPECT_THAT(sceneState.lightPosition, ElementsAre(3, 4, 5, 0));
}

TEST_F(CommandLineTest, EachValueIsReadAsAtoiReadsIt) {
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
    EXPECT_THAT(sceneState.lightPosition, ElementsAre(r.value, r.value, r.value, 0));
  }
}

TEST_F(CommandLineTest, AnyOtherCountChangesNothing) {
  const SceneState defaults;
  for (int count : {0, 1, 3, 8, 10, 18}) {
    SCOPED_TRACE(count);
    runWith(std::vector<std::string>(count, "5"));
    EXPECT_THAT(sceneState.cameraParams, ElementsAreArray(defaults.cameraParams));
    EXPECT_THAT(sceneState.lightPosition, ElementsAreArray(defaults.lightPosition));
  }
}

}  // namespace
