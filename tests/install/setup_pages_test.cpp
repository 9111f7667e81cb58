// The setup program's pages in a real window: the folder page refuses a folder
// without ZURU.EXE and stays; a good folder installs, the finish page says
// what "Use Quirtel" needs, and the next start suggests that folder.
#include "setup_fixture.h"
#include "setup_window.h"

namespace setup {
namespace {

TEST_F(SetupTest, FolderPageRefusesAFolderWithoutZuruThenInstallsIntoTheSimulatorFolder) {
  e2e::TestFolder empty, simulator;
  WriteFolder(simulator.Path(), {{"ZURU.EXE", kCompiler}});
  const std::string emptyPath = empty.Path().substr(0, empty.Path().size() - 1);
  const std::string simulatorPath = simulator.Path().substr(0, simulator.Path().size() - 1);

  e2e::Process program(SetupPath(), "\"" + SetupPath() + "\" /D=" + emptyPath,
                       e2e::ProgramFolder());
  const e2e::Dialog frame = WaitForSetupFrame(program.Id());
  e2e::Dialog page = GoToFolderPage(frame);
  EXPECT_NE(PageText(page).find("the one that holds the simulator's ZURU.EXE"), std::string::npos)
      << PageText(page);
  EXPECT_EQ(page.Text(kFolderEdit), emptyPath);

  // Next with the empty folder: a message that says what is wrong, and the page stays.
  frame.PostClick(kNextButton);
  auto box = e2e::WaitForMessageBox(program.Id(), frame.Handle());
  ASSERT_TRUE(box.has_value()) << "no message for a folder without ZURU.EXE";
  EXPECT_NE(box->text.find("There is no ZURU.EXE in " + emptyPath), std::string::npos) << box->text;
  EXPECT_NE(box->text.find("Choose the simulator's folder"), std::string::npos) << box->text;
  e2e::AnswerOk(*box);
  page = WaitForPage(frame, kFolderEdit);
  EXPECT_TRUE(page.IsOpen());

  // The simulator's folder: installs, and the finish page names the missing patch.exe.
  page.Type(kFolderEdit, simulatorPath);
  ASSERT_TRUE(e2e::WaitUntil([&] { return page.Text(kFolderEdit) == simulatorPath; }));
  frame.PostClick(kNextButton);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(frame.Item(kNextButton)) == "&Finish"; }))
      << "no finish page";
  const std::string finish =
      PageText(e2e::Dialog(FindWindowExA(frame.Handle(), nullptr, "#32770", nullptr)));
  EXPECT_NE(finish.find("\"Use Quirtel\" needs patch.exe beside ZURU.EXE"), std::string::npos)
      << finish;
  frame.PostClick(kNextButton);
  std::optional<DWORD> code = program.WaitForExit(e2e::kDefaultTimeoutMs);
  ASSERT_TRUE(code.has_value()) << "the setup program did not end after Finish";
  EXPECT_EQ(*code, kDone);
  EXPECT_TRUE(Installed({{"ZURU.EXE", kCompiler}}, ReadFolder(simulator.Path())));
  EXPECT_TRUE(Unchanged({}, ReadFolder(empty.Path())));

  // The next start suggests that folder (the page may add a backslash).
  e2e::Process again(SetupPath(), "\"" + SetupPath() + "\"", e2e::ProgramFolder());
  const e2e::Dialog againFrame = WaitForSetupFrame(again.Id());
  const std::string suggested = GoToFolderPage(againFrame).Text(kFolderEdit);
  EXPECT_TRUE(SameName(Location(suggested), simulatorPath)) << suggested;
  EXPECT_TRUE(CancelSetup(againFrame, again.Id()));
  EXPECT_TRUE(again.WaitForExit(e2e::kDefaultTimeoutMs).has_value());
}

}  // namespace
}  // namespace setup
