// Deadline() under each value of ZURU_TIME_SCALE. The scale is read once per
// process, so each value is seen by a child: this program started again with
// "--scaled <ms>", which exits with Deadline(ms) in milliseconds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>

#include "driver/files.h"
#include "driver/process.h"
#include "tests/support/deadline.h"

namespace {

// Only Deadline() makes a wait's deadline: a plain number is none.
static_assert(!std::is_convertible_v<DWORD, test_support::ScaledMs>);
static_assert(!std::is_constructible_v<test_support::ScaledMs, DWORD>);

constexpr char kScaleVariable[] = "ZURU_TIME_SCALE";
constexpr DWORD kAsked = 7;

// Sets the scale the children inherit (nothing: unset) for the life of the
// object, and puts back the test's own (an emulated run sets one).
class ChildScale {
 public:
  explicit ChildScale(const char* value) {
    char saved[64] = {};
    const DWORD length = GetEnvironmentVariableA(kScaleVariable, saved, sizeof saved);
    if (length > 0 && length < sizeof saved) m_saved = saved;
    SetEnvironmentVariableA(kScaleVariable, value);
  }
  ~ChildScale() { SetEnvironmentVariableA(kScaleVariable, m_saved ? m_saved->c_str() : nullptr); }
  ChildScale(const ChildScale&) = delete;
  ChildScale& operator=(const ChildScale&) = delete;

 private:
  std::optional<std::string> m_saved;
};

std::optional<DWORD> ScaledInChild(const char* scale) {
  ChildScale childScale(scale);
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  e2e::Process child(self, "\"" + std::string(self) + "\" --scaled " + std::to_string(kAsked),
                     e2e::ProgramFolder());
  return child.WaitForExit(e2e::kDefaultTimeoutMs);
}

struct ScaleCase {
  const char* value;  // null: unset
  DWORD expected;
};

void PrintTo(const ScaleCase& scale, std::ostream* out) {
  *out << "ZURU_TIME_SCALE=" << (scale.value ? scale.value : "(unset)");
}

class DeadlineTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(DeadlineTest, StretchesByAWholeScaleFrom1To100AndOtherwiseNot) {
  const ScaleCase& scale = GetParam();
  EXPECT_EQ(ScaledInChild(scale.value), std::optional<DWORD>(scale.expected));
}

INSTANTIATE_TEST_SUITE_P(Scales, DeadlineTest,
                         testing::Values(ScaleCase{nullptr, kAsked}, ScaleCase{"10", 10 * kAsked},
                                         ScaleCase{"1", kAsked}, ScaleCase{"100", 100 * kAsked},
                                         ScaleCase{"0", kAsked}, ScaleCase{"101", kAsked},
                                         ScaleCase{"-3", kAsked}, ScaleCase{"", kAsked},
                                         ScaleCase{"ten", kAsked}, ScaleCase{"10x", kAsked}));

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--scaled") == 0) {
    return static_cast<int>(test_support::Deadline(std::strtoul(argv[2], nullptr, 10)).Ms());
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
