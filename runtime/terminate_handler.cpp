// The program's terminate handler, in place of libstdc++'s verbose one: the same
// report on stderr, but with the exception's type by its mangled name. The
// library's handler demangles the name, and its demangler is 47 KB of the EXE,
// for a GUI program that has seldom anywhere to print.
//
// It takes the name of the library's default handler, so that the library's own
// definition, and the demangler with it, is never linked. The qualified name
// fails to compile if <exception> stops declaring the handler; the link fails
// with two definitions if the library's is linked all the same; and the link map
// check in app/CMakeLists.txt fails if the demangler comes back by another way.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

void __gnu_cxx::__verbose_terminate_handler() {
  static bool terminating = false;
  if (terminating) {
    std::fputs("terminate called recursively\n", stderr);
    std::abort();
  }
  terminating = true;

  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) {
    std::fputs("terminate called without an active exception\n", stderr);
    std::abort();
  }
  const char* name = type->name();
  std::fputs("terminate called after throwing an instance of '", stderr);
  std::fputs(name[0] == '*' ? name + 1 : name, stderr);
  std::fputs("'\n", stderr);
  try {
    throw;
  } catch (const std::exception& failure) {
    std::fputs("  what():  ", stderr);
    std::fputs(failure.what(), stderr);
    std::fputs("\n", stderr);
  } catch (...) {
  }
  std::abort();
}
