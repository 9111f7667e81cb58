// Drives a running setup program from the command line, for script/run:
//   setup_drive folder-page [seconds]   waits for it, goes on to the folder page, prints it
//   setup_drive cancel                  cancels it
// Exits with 0 on success, 1 when the setup program is not there, 2 on a usage error.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "setup_window.h"

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "folder-page") {
      DWORD seconds = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30;
      e2e::Dialog page =
          setup::GoToFolderPage(setup::WaitForSetupFrame(0, e2e::Deadline(seconds * 1000)));
      std::printf("the folder page:\n%s", setup::PageText(page).c_str());
      return 0;
    }
    if (command == "cancel") {
      e2e::Dialog frame = setup::WaitForSetupFrame(0, e2e::Deadline(5000));
      DWORD processId = 0;
      GetWindowThreadProcessId(frame.Handle(), &processId);
      return setup::CancelSetup(frame, processId) ? 0 : 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "setup_drive: %s\n", error.what());
    return 1;
  }
  std::fprintf(stderr, "usage: setup_drive folder-page [seconds] | cancel\n");
  return 2;
}
