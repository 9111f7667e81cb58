// How long ZURU.EXE takes from its process start until its options dialog is
// visible and answers messages, against the empty dialog of bench/empty_dialog
// built the same way. Runs both in turn, interleaved, and prints the figures.
//
//   start_bench [runs]     (default 10; one uncounted warm-up run of each first)
#include <windows.h>

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

// The first visible dialog of the process that answers WM_NULL. Polled every
// millisecond: the driver's usual poll would blur the figures by 10 ms.
HWND WaitForAnsweringDialog(DWORD processId, double deadline) {
  while (e2e::NowMs() < deadline) {
    for (HWND dialog : e2e::VisibleDialogs(processId)) {
      DWORD_PTR ignored = 0;
      if (SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, e2e::Deadline(5000).Ms(),
                              &ignored)) {
        return dialog;
      }
    }
    Sleep(1);
  }
  return nullptr;
}

struct Program {
  const char* label;
  std::string exe;
  std::string commandLine;
  bool isZuru;
};

// One start: milliseconds from just before CreateProcess until the dialog answers,
// then a clean close. Negative when the dialog never came.
double MeasureStart(const e2e::TestFolder& folder, const Program& program) {
  if (program.isZuru) e2e::WriteFile(folder / e2e::kAdventureName, e2e::kSampleAdventure);
  const double start = e2e::NowMs();
  e2e::Process process(program.exe, program.commandLine, folder.Path());
  HWND window = WaitForAnsweringDialog(process.Id(), start + kDeadline.Ms());
  const double shown = e2e::NowMs();
  if (!window) return -1;

  e2e::Dialog dialog(window);
  if (program.isZuru) {
    // Cancel is usable only while "&Use Quirtel" is on.
    dialog.SetCheck(IDC_ACTIVE, true);
    dialog.PostClick(IDCANCEL);
  } else {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  }
  if (!process.WaitForExit(kDeadline)) {
    std::printf("  (%s did not close; killed)\n", program.label);
  }
  return shown - start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  e2e::TestFolder folder;
  folder.AddZuru();
  if (!e2e::CopyFileTo(e2e::ProgramFolder() + "empty_dialog.exe", folder / "empty_dialog.exe")) {
    std::printf("empty_dialog.exe is missing beside start_bench.exe\n");
    return 1;
  }
  const std::string zuruExe = folder / "ZURU.EXE";
  const Program zuru{"ZURU.EXE", zuruExe,
                     "\"" + zuruExe + "\" -E " + (folder / e2e::kAdventureName), true};
  const std::string emptyExe = folder / "empty_dialog.exe";
  const Program empty{"empty_dialog.exe", emptyExe, "\"" + emptyExe + "\"", false};

  std::printf("Start to a visible dialog that answers messages, under Wine\n");
  std::printf("(%d runs each, interleaved, after one warm-up run each)\n\n", runs);
  MeasureStart(folder, zuru);
  MeasureStart(folder, empty);

  std::vector<double> zuruTimes, emptyTimes, ratios;
  std::printf("%5s %14s %18s %8s\n", "run", "ZURU.EXE ms", "empty dialog ms", "ratio");
  for (int run = 1; run <= runs; ++run) {
    // Alternate which goes first, so neither always finds the system warmer.
    double zuruMs, emptyMs;
    if (run % 2) {
      zuruMs = MeasureStart(folder, zuru);
      emptyMs = MeasureStart(folder, empty);
    } else {
      emptyMs = MeasureStart(folder, empty);
      zuruMs = MeasureStart(folder, zuru);
    }
    if (zuruMs < 0 || emptyMs < 0) {
      std::printf("%5d  a dialog did not appear within %lu ms\n", run, kDeadline.Ms());
      continue;
    }
    zuruTimes.push_back(zuruMs);
    emptyTimes.push_back(emptyMs);
    ratios.push_back(zuruMs / emptyMs);
    std::printf("%5d %14.1f %18.1f %8.2f\n", run, zuruMs, emptyMs, zuruMs / emptyMs);
    std::fflush(stdout);
  }
  if (ratios.empty()) return 1;
  const double zuruMedian = Median(zuruTimes);
  const double emptyMedian = Median(emptyTimes);
  std::printf("\nmedian ZURU.EXE %.1f ms, median empty dialog %.1f ms\n", zuruMedian, emptyMedian);
  std::printf("median ratio %.2f (ratio of the medians %.2f); goal <= 1.30\n", Median(ratios),
              zuruMedian / emptyMedian);
  return 0;
}
