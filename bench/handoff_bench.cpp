// How soon ZURU.EXE ends after the program it handed the adventure to has ended:
// "Create &adventure" starts the stand-in for zuru2.exe, which is held until the
// bench lets it go; the time runs from the moment the stand-in marks its end
// ("stub-ended", written just before it exits) until ZURU.EXE has exited. The
// bound is 500 ms (one poll period of ZURU.EXE). Prints figures.
//
//   handoff_bench [runs]     (default 20)
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/dialog.h"
#include "driver/files.h"
#include "driver/process.h"
#include "driver/wait.h"
#include "driver/zuru_session.h"
#include "res/resource.h"

namespace {

const e2e::ScaledMs kDeadline = e2e::Deadline(30000);

// A handle to wait on the running stand-in (either name), or null.
HANDLE OpenStandIn() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  HANDLE found = nullptr;
  for (BOOL more = Process32First(snapshot, &entry); more && !found;
       more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "zuru2.exe") == 0 ||
        lstrcmpiA(entry.szExeFile, "patch.exe") == 0) {
      found = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return found;
}

struct HandOff {
  double standInExit = -1;  // from its mark until its process has ended
  double dialogGone = -1;   // from its mark until the options dialog has gone
  double zuruExit = -1;     // from its mark until ZURU.EXE has ended
};
constexpr double kBoundMs = 500;

// Times from the stand-in's mark of its end; negative when a step did not happen
// in time.
HandOff MeasureHandOff() {
  HandOff result;
  e2e::ZuruSession session;
  const std::string zuruExe = session.PathOf("ZURU.EXE");
  session.HoldStub();
  session.Start("\"" + zuruExe + "\" -E " + session.PathOf(e2e::kAdventureName));
  e2e::Dialog options = session.Options(kDeadline);
  // Whichever of the two stand-ins "&Use Quirtel" picks, it is held the same way.
  options.PostClick(IDC_CREATE_ADVENTURE);
  if (!e2e::WaitUntil([&] { return !session.StubRuns().empty(); }, kDeadline)) return result;
  HANDLE standIn = OpenStandIn();

  // Released at a random moment, so that its end falls anywhere in ZURU.EXE's
  // 500 ms poll period rather than always at the same phase of it.
  Sleep(static_cast<DWORD>(std::rand() % 600));
  session.ReleaseStub();
  // Polled every millisecond: the driver's usual poll would blur the figure.
  const double deadline = e2e::NowMs() + kDeadline.Ms();
  while (!session.StubEnded() && e2e::NowMs() < deadline) Sleep(1);
  const double stubEnded = e2e::NowMs();
  if (!session.StubEnded()) return result;
  if (standIn && WaitForSingleObject(standIn, kDeadline.Ms()) == WAIT_OBJECT_0) {
    result.standInExit = e2e::NowMs() - stubEnded;
  }
  if (standIn) CloseHandle(standIn);
  while (options.IsOpen() && e2e::NowMs() < deadline) Sleep(1);
  if (!options.IsOpen()) result.dialogGone = e2e::NowMs() - stubEnded;
  if (session.WaitForExit(kDeadline)) result.zuruExit = e2e::NowMs() - stubEnded;
  return result;
}

// For comparison: how long Wine takes from the close of the empty dialog of
// bench/empty_dialog until that program has exited. Negative on failure.
double EmptyDialogExit() {
  e2e::TestFolder folder;
  const std::string exe = folder / "empty_dialog.exe";
  if (!e2e::CopyFileTo(e2e::ProgramFolder() + "empty_dialog.exe", exe)) return -1;
  e2e::Process process(exe, "\"" + exe + "\"", folder.Path());
  std::vector<HWND> dialogs;
  if (!e2e::WaitUntil([&] { return !(dialogs = e2e::VisibleDialogs(process.Id())).empty(); },
                      kDeadline)) {
    return -1;
  }
  const double closed = e2e::NowMs();
  PostMessageA(dialogs.front(), WM_COMMAND, IDCANCEL, 0);
  if (!process.WaitForExit(kDeadline)) return -1;
  return e2e::NowMs() - closed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintSpread(const char* what, std::vector<double> times) {
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  const auto over =
      std::count_if(times.begin(), times.end(), [](double t) { return t > kBoundMs; });
  std::printf("  %-34s min %7.1f  median %7.1f  max %7.1f ms  (%ld of %zu above the bound)\n", what,
              times.front(), Median(times), times.back(), static_cast<long>(over), times.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  std::srand(GetTickCount());
  std::printf("Hand-off: from the end of the started program until ZURU.EXE has exited,\n");
  std::printf("under Wine (%d runs, after one warm-up run)\n\n", runs);
  MeasureHandOff();

  std::vector<double> times, standInTimes, dialogTimes;
  std::printf("%5s %14s %22s %18s\n", "run", "ZURU.EXE ms", "(stand-in's exit ms)",
              "(dialog gone ms)");
  for (int run = 1; run <= runs; ++run) {
    const HandOff handOff = MeasureHandOff();
    if (handOff.zuruExit < 0) {
      std::printf("%5d  a step did not happen within %lu ms\n", run, kDeadline.Ms());
      continue;
    }
    times.push_back(handOff.zuruExit);
    if (handOff.standInExit >= 0) standInTimes.push_back(handOff.standInExit);
    if (handOff.dialogGone >= 0) dialogTimes.push_back(handOff.dialogGone);
    std::printf("%5d %14.1f %22.1f %18.1f\n", run, handOff.zuruExit, handOff.standInExit,
                handOff.dialogGone);
    std::fflush(stdout);
  }
  if (times.empty()) return 1;
  std::printf("\nafter the stand-in's end (bound %.0f ms):\n", kBoundMs);
  PrintSpread("ZURU.EXE had exited", times);
  PrintSpread("its options dialog had gone", dialogTimes);
  PrintSpread("the stand-in's process had ended", standInTimes);
  // Wine's own cost of ending any dialog program, for comparison.
  std::vector<double> emptyExits;
  for (int run = 0; run < 5; ++run) {
    const double ms = EmptyDialogExit();
    if (ms >= 0) emptyExits.push_back(ms);
  }
  std::printf("for comparison, from closing its dialog until it has exited:\n");
  PrintSpread("the empty dialog program", emptyExits);
  return 0;
}
