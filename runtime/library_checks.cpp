// The functions through which libstdc++'s inline code throws when one of its
// checks fails: a string grown past its largest size, a position past its end,
// a null pointer for a string. The library's own throw std::logic_error and its
// kin, whose constructors link the library's whole copy-on-write std::string and
// <stdexcept> (more than 50 KB). Here such a failure throws LibraryCheckFailure,
// a std::exception whose what() is the library's text (printf conversions left
// unfilled); the program reports it as it reports a std::logic_error, as an
// internal error. A failure to allocate throws the standard type.
//
// Each definition qualifies the library's declaration in <bits/functexcept.h>,
// so it fails to compile if that changes. If the program comes to need a
// function not defined here, the library's functexcept.o is linked for it and the
// link fails with two definitions of the others: define that one here too.
#include <exception>
#include <new>
#include <string>

namespace {

class LibraryCheckFailure : public std::exception {
 public:
  explicit LibraryCheckFailure(const char* what) noexcept : m_what(what) {}
  const char* what() const noexcept override { return m_what; }

 private:
  const char* m_what;
};

}  // namespace

void std::__throw_bad_alloc() { throw std::bad_alloc(); }

void std::__throw_bad_array_new_length() { throw std::bad_array_new_length(); }

void std::__throw_logic_error(const char* what) { throw LibraryCheckFailure(what); }

void std::__throw_invalid_argument(const char* what) { throw LibraryCheckFailure(what); }

void std::__throw_length_error(const char* what) { throw LibraryCheckFailure(what); }

void std::__throw_out_of_range(const char* what) { throw LibraryCheckFailure(what); }

void std::__throw_out_of_range_fmt(const char* format, ...) { throw LibraryCheckFailure(format); }
