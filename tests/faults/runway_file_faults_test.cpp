// Saving the runway file while the system fails under it. Whatever fails, the old
// quirtel.ini must stay byte for byte as it was and nothing else in its folder may
// change: no half-written twin left behind, no other file touched.
//
// The tests run as root, where permission bits stop nothing, so the failures come
// from Linux itself: /dev/full, a file-size limit, a tiny or read-only tmpfs in a
// private mount namespace, a directory in the twin's place, another user, and the
// replace step that WriteRunwayFile takes as an argument. A read-only quirtel.ini is a
// Windows attribute that only the real replace step can meet: that test runs
// under Wine (runway_file_win32_faults_test.cpp).
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/runway_file.h"
#include "core/tests/scratch_directory.h"

namespace fs = std::filesystem;

namespace {

const std::string kFirstHeader = "[EDDF]";
const std::string kSecondHeader = "[KJFK]";
const std::vector<std::string> kFirstRows = {"07L (no ILS/only TO)", "25R (110.30/only landing)"};
const std::vector<std::string> kSecondRows = {"04L (110.90)"};

// An old runway file of about 25 KB: other airports around the two sections, so
// that a lost or truncated copy shows.
std::string OldRunwayFile() {
  std::string text = "; runway preferences\r\n";
  for (int airport = 0; airport < 400; ++airport) {
    text += "[K" + std::to_string(1000 + airport) + "]\r\n";
    for (int runway = 1; runway <= 4; ++runway) {
      text += std::to_string(runway * 9) + "L (1" + std::to_string(airport % 10) + "8.50)\r\n";
    }
    if (airport == 100) text += "[EDDF]\r\n16 (109.70)\r\n";
    if (airport == 300) text += "[KJFK]\r\n31R (no ILS)\r\n";
  }
  return text;
}

// Everything in a folder that a save could change: names, kinds, permission
// bits, file contents and link targets.
std::string Listing(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    struct stat info {};
    lstat(entry.path().c_str(), &info);
    std::ostringstream text;
    text << std::oct << (info.st_mode & 07777) << std::dec << " ";
    if (S_ISLNK(info.st_mode)) {
      text << "link -> " << fs::read_symlink(entry.path()).string();
    } else if (S_ISDIR(info.st_mode)) {
      text << "folder of "
           << std::distance(fs::directory_iterator(entry.path()), fs::directory_iterator())
           << " entries";
    } else {
      const std::string bytes = ReadBytes(entry.path().string());
      text << "file of " << bytes.size() << " bytes, hash " << std::hash<std::string>{}(bytes);
    }
    entries[entry.path().filename().string()] = text.str();
  }
  std::string listing;
  for (const auto& [name, what] : entries) listing += name + ": " + what + "\n";
  return listing;
}

bool Save(const fs::path& folder, ReplaceFileFn replace = ReplaceForTests) {
  return WriteRunwayFile(kFirstHeader, kSecondHeader, kFirstRows, kSecondRows, replace,
                         (folder / kRunwayFileName).string(), (folder / kRunwayTwinName).string());
}

// Runs `body` in a forked child, which can change its limits and mounts without
// touching the test program, and gives back the text it reports ("" when all held).
std::string InChild(const std::function<std::string()>& body) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return "no pipe";
  const pid_t child = fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    close(pipeEnds[0]);
    const std::string report = body();
    ssize_t ignored = write(pipeEnds[1], report.data(), report.size());
    (void)ignored;
    _exit(0);
  }
  close(pipeEnds[1]);
  std::string report;
  char chunk[512];
  ssize_t count;
  while ((count = read(pipeEnds[0], chunk, sizeof chunk)) > 0) report.append(chunk, count);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report += " (the child did not end normally)";
  return report;
}

// Prefix of a child's report when the machine does not allow the fault to be made.
const std::string kSkip = "skip: ";

// In a child: a private mount namespace with a fresh tmpfs on `mountPoint`.
std::string MountTmpfs(const fs::path& mountPoint, const char* options) {
  if (unshare(CLONE_NEWNS) != 0) return kSkip + "no private mount namespace: " + strerror(errno);
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    return kSkip + "mounts cannot be made private: " + strerror(errno);
  }
  if (mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, options) != 0) {
    return kSkip + "no tmpfs can be mounted: " + strerror(errno);
  }
  return "";
}

// Reports what differs from the expected outcome of a failed save.
std::string CheckUnchanged(bool saved, const fs::path& folder, const std::string& listingBefore,
                           const std::string& oldFile) {
  std::string report;
  if (saved) report += "the save reported success; ";
  const std::string now = ReadBytes((folder / kRunwayFileName).string());
  if (now != oldFile) report += "quirtel.ini changed; ";
  const std::string listingAfter = Listing(folder);
  if (listingAfter != listingBefore) {
    report += "the folder changed:\nbefore:\n" + listingBefore + "after:\n" + listingAfter;
  }
  return report;
}

class RunwayFileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(File(kRunwayFileName), oldFile_);
    WriteBytes(File("EDDFKJFK.TXT"), "an adventure beside it\r\n");
  }

  std::string File(const std::string& name) const { return scratch_.File(name); }
  const fs::path& Folder() const { return scratch_.path(); }

  // The checks every failed save must pass.
  void ExpectUnchanged(bool saved, const std::string& listingBefore) const {
    EXPECT_EQ(CheckUnchanged(saved, Folder(), listingBefore, oldFile_), "");
  }

  const std::string oldFile_ = OldRunwayFile();
  ScratchDirectory scratch_;
};

TEST_F(RunwayFileFaults, WriteFailingPartWayKeepsOldFile) {
  const std::string before = Listing(Folder());
  // A file-size limit well under the new file's size: writes beyond it fail with
  // EFBIG (the signal that would kill the child is ignored).
  const std::string report = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{8192, 8192};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("setrlimit failed");
    return std::string(Save(Folder()) ? "the save reported success" : "");
  });
  EXPECT_EQ(report, "");
  ExpectUnchanged(false, before);
}

TEST_F(RunwayFileFaults, FullDeviceAsTwinKeepsOldFile) {
  const std::string before = Listing(Folder());
  // Every write to the twin fails with ENOSPC; the save may remove this link
  // again as the twin it made, but must leave everything else as it was.
  fs::create_symlink("/dev/full", File(kRunwayTwinName));
  ExpectUnchanged(Save(Folder()), before);
}

TEST_F(RunwayFileFaults, FullFileSystemKeepsOldFile) {
  const fs::path disk = Folder() / "disk";
  fs::create_directory(disk);
  const std::string report = InChild([&] {
    // Room for the two files and two pages more: not for the twin.
    const std::size_t pages = oldFile_.size() / 4096 + 1 + 1 + 2;
    const std::string mounted =
        MountTmpfs(disk, ("size=" + std::to_string(pages * 4) + "k").c_str());
    if (!mounted.empty()) return mounted;
    WriteBytes((disk / kRunwayFileName).string(), oldFile_);
    WriteBytes((disk / "EDDFKJFK.TXT").string(), "an adventure beside it\r\n");
    const std::string before = Listing(disk);
    return CheckUnchanged(Save(disk), disk, before, oldFile_);
  });
  if (report.rfind(kSkip, 0) == 0) GTEST_SKIP() << report;
  EXPECT_EQ(report, "");
}

TEST_F(RunwayFileFaults, ReadOnlyFolderKeepsOldFile) {
  const fs::path folder = Folder() / "readonly";
  fs::create_directory(folder);
  const std::string report = InChild([&] {
    const std::string mounted = MountTmpfs(folder, "size=1m");
    if (!mounted.empty()) return mounted;
    WriteBytes((folder / kRunwayFileName).string(), oldFile_);
    WriteBytes((folder / "EDDFKJFK.TXT").string(), "an adventure beside it\r\n");
    if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
      return kSkip + "cannot remount read-only: " + strerror(errno);
    }
    const std::string before = Listing(folder);
    return CheckUnchanged(Save(folder), folder, before, oldFile_);
  });
  if (report.rfind(kSkip, 0) == 0) GTEST_SKIP() << report;
  EXPECT_EQ(report, "");
}

TEST_F(RunwayFileFaults, FolderInPlaceOfTwinKeepsOldFileAndFolder) {
  // The twin cannot be created: something else holds its name, and stays.
  fs::create_directory(File(kRunwayTwinName));
  const std::string before = Listing(Folder());
  ExpectUnchanged(Save(Folder()), before);
}

bool ReplaceFails(const char*, const char*) {
  errno = EIO;
  return false;
}

TEST_F(RunwayFileFaults, FailingReplaceKeepsOldFileAndRemovesTwin) {
  const std::string before = Listing(Folder());
  ExpectUnchanged(Save(Folder(), ReplaceFails), before);
}

TEST_F(RunwayFileFaults, UnreadableRunwayFileIsNotReplaced) {
  // A runway file that exists but cannot be read (here: a folder of that name)
  // must not be replaced by one that has lost the other airports.
  fs::remove(File(kRunwayFileName));
  fs::create_directory(File(kRunwayFileName));
  WriteBytes(File(kRunwayFileName) + "/inside", "kept");
  const std::string before = Listing(Folder());
  EXPECT_FALSE(Save(Folder()));
  EXPECT_EQ(Listing(Folder()), before);
}

TEST_F(RunwayFileFaults, RunwayFileThatCannotBeOpenedIsNotReplaced) {
  // The open fails for another reason than a missing file (here a link that
  // leads to itself: ELOOP), while the replace would succeed: taking the file
  // for missing would replace it with one that holds the two airports alone.
  fs::remove(File(kRunwayFileName));
  fs::create_symlink(kRunwayFileName, File(kRunwayFileName));
  const std::string before = Listing(Folder());
  EXPECT_FALSE(Save(Folder()));
  EXPECT_EQ(Listing(Folder()), before);
}

TEST_F(RunwayFileFaults, RunwayFileThatTheUserMayNotReadIsNotReplaced) {
  // Access denied to the runway file itself, while its folder lets anyone make
  // the twin and rename it into place: only the open tells that quirtel.ini is
  // there. Root reads every file, so the save runs as another user.
  fs::permissions(Folder(), fs::perms::all);
  fs::permissions(File(kRunwayFileName), fs::perms::none);
  const std::string before = Listing(Folder());
  const std::string report = InChild([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
      return kSkip + "cannot become another user: " + strerror(errno);
    }
    errno = 0;
    if (std::FILE* file = std::fopen(File(kRunwayFileName).c_str(), "rb")) {
      std::fclose(file);
      return kSkip + "the runway file can still be read";
    }
    if (errno == ENOENT) return std::string("the open failed as if the file were missing");
    return std::string(Save(Folder()) ? "the save reported success" : "");
  });
  if (report.rfind(kSkip, 0) == 0) GTEST_SKIP() << report;
  EXPECT_EQ(report, "");
  EXPECT_EQ(ReadBytes(File(kRunwayFileName)), oldFile_);
  EXPECT_EQ(Listing(Folder()), before);
}

TEST_F(RunwayFileFaults, FullDeviceWithoutRunwayFileCreatesNothing) {
  fs::remove(File(kRunwayFileName));
  const std::string before = Listing(Folder());
  fs::create_symlink("/dev/full", File(kRunwayTwinName));
  EXPECT_FALSE(Save(Folder()));
  EXPECT_FALSE(FileExists(File(kRunwayFileName)));
  EXPECT_EQ(Listing(Folder()), before);
}

}  // namespace
