// Entry point of the exchange test program.
#include <gtest/gtest.h>

#include "exchange/tests/test_app.h"

namespace {
TestApp theApp;
}  // namespace

TestApp& App() { return theApp; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  AfxEnableControlContainer();  // the trackbar class
  return RUN_ALL_TESTS();
}
