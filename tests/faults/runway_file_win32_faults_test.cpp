// Saving the runway file on Windows (and under Wine) with the replace step the
// program uses, where the system refuses: the old quirtel.ini must stay byte for
// byte as it was, with its attributes, and no twin may be left beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/runway_file.h"
#include "core/tests/scratch_directory.h"
#include "framework/file_replace.h"

namespace {

const std::string kOldFile = "; runway preferences\r\n[LOWW]\r\n16 (109.70)\n[EDDF]\r\n09\r\n";

class RunwayFileWin32Faults : public ::testing::Test {
 protected:
  void TearDown() override {
    // A read-only file would outlive the scratch folder.
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  bool Save() {
    return WriteRunwayFile("[EDDF]", "[KJFK]", {"07L (110.30)"}, {"04L"}, ReplaceFileWin32, ini,
                           twin);
  }

  ScratchDirectory dir;
  const std::string ini = dir.File(kRunwayFileName);
  const std::string twin = dir.File(kRunwayTwinName);
};

TEST_F(RunwayFileWin32Faults, ReadOnlyRunwayFileIsNotReplaced) {
  WriteBytes(ini, kOldFile);
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  // As the system shows them: Wine keeps the archive mark on.
  const DWORD attributes = GetFileAttributesA(ini.c_str());
  ASSERT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);

  EXPECT_FALSE(Save());
  EXPECT_EQ(ReadBytes(ini), kOldFile);
  EXPECT_EQ(GetFileAttributesA(ini.c_str()), attributes);
  EXPECT_FALSE(FileExists(twin));
}

// The replace step itself, on every state of the two files it meets.
TEST_F(RunwayFileWin32Faults, ReplaceStepByTheStateOfBothFiles) {
  struct Case {
    const char* what;
    bool source;  // the twin exists
    bool target;  // quirtel.ini exists
    DWORD targetAttribute;
    bool replaced;
    DWORD error;  // when refused
  };
  const Case cases[] = {
      {"a writable file is replaced", true, true, FILE_ATTRIBUTE_ARCHIVE, true, 0},
      {"a missing file is created", true, false, 0, true, 0},
      {"a read-only file is refused", true, true, FILE_ATTRIBUTE_READONLY, false,
       ERROR_ACCESS_DENIED},
      {"without a twin nothing happens", false, true, FILE_ATTRIBUTE_ARCHIVE, false,
       ERROR_FILE_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(ini.c_str());
    DeleteFileA(twin.c_str());
    if (c.source) WriteBytes(twin, "new");
    if (c.target) {
      WriteBytes(ini, kOldFile);
      ASSERT_TRUE(SetFileAttributesA(ini.c_str(), c.targetAttribute));
    }

    const bool replaced = ReplaceFileWin32(twin.c_str(), ini.c_str());
    const DWORD error = GetLastError();
    EXPECT_EQ(replaced, c.replaced);
    if (c.replaced) {
      EXPECT_EQ(ReadBytes(ini), "new");
      EXPECT_FALSE(FileExists(twin));
    } else {
      EXPECT_EQ(error, c.error);
      EXPECT_EQ(ReadBytes(ini), kOldFile);
      EXPECT_EQ(FileExists(twin), c.source);
    }
  }
}

// The twin is made durable by the system's own flush of the handle under the
// stream, not by the stream's flush into it: the system refuses a handle open
// for reading only, where a stream has nothing to flush and reports success.
TEST_F(RunwayFileWin32Faults, SyncFlushesTheSystemsHandle) {
  WriteBytes(ini, kOldFile);
  struct Case {
    const char* mode;
    bool synced;
  };
  for (const Case c : {Case{"rb", false}, Case{"r+b", true}, Case{"ab", true}}) {
    SCOPED_TRACE(std::string("a file opened \"") + c.mode + "\"");
    std::FILE* file = std::fopen(ini.c_str(), c.mode);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(SyncFileToDisk(file), c.synced);
    std::fclose(file);
  }
  EXPECT_EQ(ReadBytes(ini), kOldFile);
}

TEST_F(RunwayFileWin32Faults, WritableRunwayFileIsReplaced) {
  WriteBytes(ini, kOldFile);
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_ARCHIVE));

  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadBytes(ini),
            "; runway preferences\r\n[LOWW]\r\n16 (109.70)\r\n[EDDF]\r\n"
            "07L (110.30)\r\n[KJFK]\r\n04L\r\n");
  EXPECT_FALSE(FileExists(twin));
}

}  // namespace
