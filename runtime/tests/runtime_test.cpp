// ZURU.EXE's own terminate handler and library check functions, linked as the
// program links them. A plain program: GoogleTest's streams need more of the
// library's throw functions, whose object would clash with ours.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <typeinfo>

namespace {

int g_failures = 0;

void Check(bool passed, const char* what) {
  std::printf("%s: %s\n", passed ? "ok" : "FAILED", what);
  if (!passed) ++g_failures;
}

// What a call throws: "bad_alloc", the what() of another std::exception, or "".
template <typename Call>
std::string Thrown(Call call) {
  try {
    call();
  } catch (const std::bad_alloc&) {
    return "bad_alloc";
  } catch (const std::exception& failure) {
    return failure.what();
  }
  return "";
}

class Unhandled : public std::exception {
 public:
  const char* what() const noexcept override { return "left unhandled"; }
};

// Runs this program with `argument`; gives what it wrote on stderr and its exit code.
std::string RunSelf(const char* argument, DWORD& exitCode) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string commandLine = std::string("\"") + path + "\" " + argument;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = writeEnd;
  startup.hStdOutput = writeEnd;
  PROCESS_INFORMATION process = {};
  std::string output;
  exitCode = 0;
  if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(writeEnd);
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
      for (DWORD i = 0; i < read; ++i) {
        if (buffer[i] != '\r') output.push_back(buffer[i]);  // stderr is in text mode
      }
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  } else {
    CloseHandle(writeEnd);
  }
  CloseHandle(readEnd);
  return output;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--leave-unhandled") == 0) throw Unhandled();
  if (argc == 2 && std::strcmp(argv[1], "--terminate") == 0) std::terminate();

  // The library's checks throw a std::exception with the library's text.
  Check(Thrown([] { std::string().substr(1); }).find("__pos") != std::string::npos,
        "a position past the end of a string");
  Check(Thrown([] { std::string().reserve(std::string().max_size() + 1); }) ==
            "basic_string::_M_create",
        "a string grown past its largest size");
  Check(Thrown([] {
          const char* volatile none = nullptr;
          std::string text(none);
        }) == "basic_string: construction from null is not valid",
        "a string from a null pointer");
  // Memory: the standard types, as the program reports them. The counts are
  // the smallest the library refuses for each reason, on 32 and 64 bits alike:
  // one past the allocator's largest size (bad_alloc), and an array whose size
  // in bytes does not fit a size_t (bad_array_new_length, also a bad_alloc).
  constexpr std::size_t kPastLargest = std::allocator_traits<std::allocator<int>>::max_size({}) + 1;
  constexpr std::size_t kPastAddressable = SIZE_MAX / sizeof(int) + 1;
  Check(Thrown([] { (void)std::allocator<int>().allocate(kPastLargest); }) == "bad_alloc",
        "more memory than there is");
  Check(Thrown([] { (void)std::allocator<int>().allocate(kPastAddressable); }) == "bad_alloc",
        "an array larger than memory can address");

  DWORD exitCode = 0;
  const std::string unhandled = RunSelf("--leave-unhandled", exitCode);
  const char* name = typeid(Unhandled).name();
  if (name[0] == '*') ++name;  // the mark of a name local to this file
  const std::string expected = std::string("terminate called after throwing an instance of '") +
                               name + "'\n  what():  left unhandled\n";
  Check(unhandled.compare(0, expected.size(), expected) == 0 && exitCode != 0,
        "an exception left unhandled is reported on stderr and ends the program");
  const std::string terminated = RunSelf("--terminate", exitCode);
  Check(terminated.rfind("terminate called without an active exception\n", 0) == 0 && exitCode != 0,
        "std::terminate without an exception");
  if (g_failures != 0) {
    std::printf("stderr of the unhandled run: %s\n", unhandled.c_str());
    std::printf("stderr of the terminate run: %s\n", terminated.c_str());
  }
  return g_failures == 0 ? 0 : 1;
}
