// Entry point of the program's in-process tests.
#include <gtest/gtest.h>

#include "framework/app.h"

namespace {
// Named after the program file, like ZURU.EXE's own application object.
class TestApp : public CWinApp {};
TestApp theApp;
}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  AfxEnableControlContainer();  // the trackbar class
  theApp.SetRegistryKey("Ostrelle");
  return RUN_ALL_TESTS();
}
