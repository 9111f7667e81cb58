#include "core/app_name.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(AppNameFromModulePath, TakesTheFileNameWithoutExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {R"(C:\FS\ZURU.EXE)", "ZURU"},
      {R"(C:\FS\zuru.exe)", "zuru"},
      {"ZURU.EXE", "ZURU"},
      {"/opt/fs/ZURU.EXE", "ZURU"},
      {"C:ZURU.EXE", "ZURU"},
      {R"(\\server\share\ZURU.EXE)", "ZURU"},
      {R"(C:\FS\ZURU.V4.EXE)", "ZURU.V4"},
      {R"(C:\FS\ZURU)", "ZURU"},
      {R"(C:\FS.OLD\ZURU)", "ZURU"},  // a dot in a directory cuts nothing
      {R"(C:\FS\.EXE)", ""},
      {R"(C:\FS\)", ""},
      {"", ""},
  };
  for (const auto& [path, name] : cases) {
    EXPECT_EQ(AppNameFromModulePath(path), name) << path;
  }
}

}  // namespace
