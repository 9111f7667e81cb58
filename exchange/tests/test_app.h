#pragma once
// The test program's application object: named after the program file, like
// the program's own, and counting what the framework hands it.
#include <vector>

#include "framework/app.h"

class TestApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    ++initInstanceRuns;
    return FALSE;
  }
  bool OnCommand(UINT id) override {
    commands.push_back(id);
    return CWinApp::OnCommand(id);
  }

  int initInstanceRuns = 0;
  std::vector<UINT> commands;
};

TestApp& App();
