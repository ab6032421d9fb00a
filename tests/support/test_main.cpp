// main() of test programs without widgets.
#include <gtest/gtest.h>

#include "headless_defaults.h"

int main(int argc, char** argv) {
  orvilo::testing::UseHeadlessDefaults();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
