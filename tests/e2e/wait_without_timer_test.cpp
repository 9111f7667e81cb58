// The wait for the started program when the system refuses the wait's timer: a
// test build of ZURU.EXE whose timer is always refused.
#include "zuru_e2e.h"

namespace e2e {
namespace {

class WaitWithoutTimerTest : public ZuruTest {
 protected:
  static void UseRefusedTimerBuild(ZuruSession& session) { UseTestBuild(session, "refused-timer"); }
};

TEST_F(WaitWithoutTimerTest, TheDialogKeepsAnsweringUntilTheProgramEndsEvenAfterAQuit) {
  WriteStore({{"active", 1}});
  ZuruSession session;
  ASSERT_NO_FATAL_FAILURE(UseRefusedTimerBuild(session));
  session.Start(kStartLine);
  Dialog dialog = session.Options();
  ASSERT_NO_FATAL_FAILURE(CreateWhileStubHeld(session, dialog));

  ASSERT_TRUE(dialog.WaitForPostedMessages(IDC_ENROUTEALT)) << "the waiting dialog does not answer";
  EXPECT_TRUE(AllDisabled(dialog));

  // A quit for the program's thread: it waits for the started program still,
  // and answers meanwhile.
  ASSERT_TRUE(PostThreadMessageA(session.Program().ThreadId(), WM_QUIT, 0, 0));
  ASSERT_TRUE(dialog.WaitForPostedMessages(IDC_ENROUTEALT))
      << "the dialog stopped answering after the quit";
  EXPECT_TRUE(dialog.IsOpen());
  EXPECT_FALSE(session.Program().HasExited());
  EXPECT_TRUE(session.AdventureExists());

  session.ReleaseStub();
  ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
  EXPECT_TRUE(session.AdventureExists()) << "the run should end as OK";
  EXPECT_EQ(session.StubRuns().size(), 1u);
}

TEST_F(WaitWithoutTimerTest, TheRunEndsWithOkWhenTheProgramEnds) {
  ZuruSession session;
  ASSERT_NO_FATAL_FAILURE(UseRefusedTimerBuild(session));
  session.SetStubExitCode(259);
  session.Start(kStartLine);
  CreateAdventure(session.Options());

  ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
  std::vector<StubRun> runs = session.StubRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, HandedOver("zuru2.exe", kStartLine));
  EXPECT_TRUE(session.AdventureExists()) << "the run should end as OK";
}

}  // namespace
}  // namespace e2e
