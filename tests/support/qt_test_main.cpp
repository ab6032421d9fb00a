// main() of test programs that need widgets: one QApplication for all tests.
#include <QApplication>
#include <gtest/gtest.h>

#include "headless_defaults.h"

int main(int argc, char** argv) {
  orvilo::testing::UseHeadlessDefaults();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
