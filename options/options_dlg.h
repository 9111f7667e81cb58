#pragma once
// The program's main window: the options for the adventure being built, the way
// to the runways and About dialogs, and "Create &adventure" with its wait.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "core/option_set.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/scaled_picture.h"

// The option fields carry their settings keys as names (nocrew, newatis, ...).
// OptionSet::traffic is used only when reading or writing the store: while the
// dialog runs, the traffic rate lives in the trackbar.
class COptionsDlg : public CDialog, public OptionSet {
 public:
  explicit COptionsDlg(CWnd* parent = nullptr);
  ~COptionsDlg() override;

  std::string cmdline;           // the whole command line as received, handed on at the launch
  std::string advfile;           // the adventure file, upper-cased; deleted on cancel
  SHELLEXECUTEINFOA execinfo{};  // the start of patch.exe or zuru2.exe, and its process
  CSliderCtrl m_trafficSlider;
  HICON m_hIcon = nullptr;
  CScaledPicture m_picture;

 protected:
  void DoDataExchange(ExchangeContext& dx) override;
  BOOL OnInitDialog() override;
  void OnCancel() override;
  bool OnCommand(UINT id, UINT code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // Where "Create &adventure" stands: a cancel may end the dialog only while editing.
  enum class LaunchState { kEditing, kLaunching, kWaiting, kEnded };

  // Which rules of the enabling table a click handler applies.
  enum class EnablingScope { kAll, kNewAtis, kNewAtc, kNoFlaps, kResetAlt };

  // Click handlers: each reads the controls first and goes on whatever that gives.
  void OnAbout();
  void OnUseQuirtel();
  void OnNewAtis();
  void OnNewAtc();
  void OnNoFlaps();
  void OnResetAlt();
  void OnRunways();  // the runways dialog; in runways/

  // The enabling table, or the part of it that one check box governs.
  void ApplyEnablingRules(EnablingScope scope);

  // Every control the user could change; and back to the enabling table.
  void LockControls();
  void UnlockControls();

  // "Create &adventure" and the wait for the started program (launch/).
  void OnCreateAdventure();
  void OnTimer();
  // Back from a launch that did not start, with the focus on `focus`.
  void ReturnToEditing(HWND focus);
  bool StartProgram(const char* program, const std::string& parameters);
  void WaitWithoutTimer();
  bool HasStartedProgramEnded() const;
  void EndWait();

  void PaintMinimized();

  LaunchState m_launchState = LaunchState::kEditing;
  bool m_timerRunning = false;
  // The control at which the last failed exchange stopped, so that the launch
  // can hand the focus back to it once the controls are enabled again.
  HWND m_failedControl = nullptr;
};
