#pragma once
// "Runways": the preferred runways of the adventure's two airports, each a list
// of entries with a use-runways flag, saved to the runway file on OK.
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"

class CRunwaysDlg : public CDialog {
 public:
  CRunwaysDlg();

  std::string m_adventureFile;  // set by the caller; the whole path, whatever its length
  std::string m_firstHeader;    // "[EDDF]"
  std::string m_secondHeader;
  CListBox m_secondList;
  CListBox m_firstList;
  int m_useFirst = 0;
  int m_useSecond = 0;

 protected:
  void DoDataExchange(ExchangeContext& dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code) override;

 private:
  // The controls and members of one airport's half of the dialog.
  struct Airport {
    int group;
    int useCheck;
    int list;
    int add;
    int del;
    CListBox CRunwaysDlg::*entries;
    int CRunwaysDlg::*use;
  };
  static const Airport kFirst;
  static const Airport kSecond;

  void ApplyEnabling(const Airport& airport);
  void AddEntry(const Airport& airport);
  void DeleteEntry(const Airport& airport);
  void ClearFlagIfEmpty(const Airport& airport);
  std::vector<std::string> Rows(const Airport& airport) const;

  void OnUseFirst() { ApplyEnabling(kFirst); }
  void OnUseSecond() { ApplyEnabling(kSecond); }
  void OnAddFirst() { AddEntry(kFirst); }
  void OnAddSecond() { AddEntry(kSecond); }
  void OnDeleteFirst() { DeleteEntry(kFirst); }
  void OnDeleteSecond() { DeleteEntry(kSecond); }
};
