#include "driver/stub_log.h"

#include <stdexcept>

#include "driver/files.h"

namespace e2e {

namespace {

std::string ReadLine(const std::string& log, size_t& at) {
  size_t end = log.find('\n', at);
  if (end == std::string::npos) throw std::runtime_error("stub log: a record is cut short");
  std::string line = log.substr(at, end - at);
  at = end + 1;
  return line;
}

}  // namespace

std::vector<StubRun> ReadStubLog(const std::string& folder) {
  const std::string log = ReadFile(folder + "stub-log.txt");
  std::vector<StubRun> runs;
  size_t at = 0;
  while (at < log.size()) {
    StubRun run;
    run.program = ReadLine(log, at);
    size_t length = std::stoul(ReadLine(log, at));
    if (at + length >= log.size() || log[at + length] != '\n')
      throw std::runtime_error("stub log: a command line is cut short");
    run.commandLine = log.substr(at, length);
    at += length + 1;
    runs.push_back(run);
  }
  return runs;
}

}  // namespace e2e
