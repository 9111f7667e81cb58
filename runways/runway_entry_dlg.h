#pragma once
// "Enter runway properties": the number, side, ILS frequency and usage of one
// runway, turned into an entry text by FormatRunwayEntry after OK.
#include <cstdint>

#include "framework/dialog.h"

class CRunwayEntryDlg : public CDialog {
 public:
  CRunwayEntryDlg();

  std::int32_t m_number = 0;
  float m_frequency = 0.0f;
  int m_ils = 0;
  int m_left = 0;
  int m_right = 0;
  int m_usage = -1;  // 0 takeoff and landing, 1 only takeoff, 2 only landing, -1 none

 protected:
  void DoDataExchange(ExchangeContext& dx) override;
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnLeft();
  void OnRight();
  void OnIls();
  // Left and Right are exclusive, though both may be off.
  void KeepOnlyOneSide(const int& chosen, int& other);
  void FocusNumber() const;
};
