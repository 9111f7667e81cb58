// Drives a running ZURU.EXE from the command line, for demonstrations:
//   zuru_drive wait [seconds]   waits for the options dialog, prints its state
//   zuru_drive create           checks "&Use Quirtel" and presses "Create &adventure"
//   zuru_drive show             checks "&Use Quirtel", waits until the options are
//                               enabled and the dialog is idle, and prints the
//                               window's place on the screen as WIDTHxHEIGHT+X+Y
//                               (for script/screenshot)
//   zuru_drive cancel           presses "Cancel"
// Exits with 0 on success, 1 when the dialog is not there, 2 on a usage error.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "driver/dialog.h"
#include "res/resource.h"

namespace {

const struct {
  int id;
  const char* name;
} kControls[] = {
    {IDC_ACTIVE, "Use Quirtel"},
    {IDC_NOCREW, "nocrew"},
    {IDC_NOFLAPS, "noflaps"},
    {IDC_DONTSETFLAPS, "dontsetflaps"},
    {IDC_HEAVY, "heavy"},
    {IDC_CGROUND1, "cground1"},
    {IDC_CHKSPD, "chkspd"},
    {IDC_CROSSING, "crossing"},
    {IDC_NOALTCALL, "noaltcall"},
    {IDC_RESETALT, "resetalt"},
    {IDC_DEFWAVFOLDER, "defwavfolder"},
    {IDC_NEWATIS, "newatis"},
    {IDC_ATISTEXT, "atistext"},
    {IDC_NEWATC, "newatc"},
    {IDC_PCM, "pcm"},
};

e2e::Dialog FindOptions(DWORD ms) { return e2e::WaitForOptionsDialog(0, e2e::Deadline(ms)); }

void PrintState(const e2e::Dialog& dialog) {
  std::printf("options dialog: \"%s\"\n", dialog.Caption().c_str());
  for (const auto& control : kControls) {
    std::printf("  %-13s %s%s\n", control.name, dialog.Checked(control.id) ? "[x]" : "[ ]",
                dialog.Enabled(control.id) ? "" : " (disabled)");
  }
  std::printf("  maxtime       %s\n", dialog.Text(IDC_MAXTIME).c_str());
  std::printf("  enroutealt    %s\n", dialog.Text(IDC_ENROUTEALT).c_str());
  std::printf("  traffic       %d\n", dialog.TrackPos(IDC_TRAFFIC));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "wait") {
      DWORD seconds = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30;
      PrintState(FindOptions(seconds * 1000));
      return 0;
    }
    if (command == "show") {
      e2e::Dialog dialog = FindOptions(5000);
      dialog.SetCheck(IDC_ACTIVE, true);
      if (!e2e::WaitUntil([&] { return dialog.Enabled(IDC_NOCREW) && dialog.Enabled(IDCANCEL); })) {
        std::fprintf(stderr, "zuru_drive: the options stay disabled with \"Use Quirtel\" on\n");
        return 1;
      }
      dialog.WaitUntilIdle();
      RECT area = {};
      GetWindowRect(dialog.Handle(), &area);
      std::printf("%ldx%ld+%ld+%ld\n", area.right - area.left, area.bottom - area.top, area.left,
                  area.top);
      return 0;
    }
    if (command == "cancel") {
      FindOptions(5000).PostClick(IDCANCEL);
      return 0;
    }
    if (command == "create") {
      e2e::Dialog dialog = FindOptions(5000);
      dialog.SetCheck(IDC_ACTIVE, true);
      dialog.PostClick(IDC_CREATE_ADVENTURE);
      std::printf("pressed \"Create &adventure\" with \"&Use Quirtel\" on\n");
      return 0;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zuru_drive: %s\n", error.what());
    return 1;
  }
  std::fprintf(stderr, "usage: zuru_drive wait [seconds] | create | show | cancel\n");
  return 2;
}
