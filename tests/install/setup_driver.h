#pragma once
// Running the setup program and its uninstaller silently over a simulator
// folder, and looking at what they left: the files, byte for byte, and the
// entry in "Programs and Features".
#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace setup {

// Exit codes of the setup program and the uninstaller.
constexpr DWORD kDone = 0;
constexpr DWORD kRefused = 2;  // the folder's state: nothing changed
constexpr DWORD kFailed = 3;   // a file step failed and was undone: nothing changed

constexpr const char* kUninstaller = "zuru-uninstall.exe";
// The licence and the notices that the setup program installs beside ZURU.EXE.
constexpr const char* kLicenseName = "zuru-license.txt";
constexpr const char* kNoticesName = "zuru-notices.txt";

// The programs the tests install and find.
std::string SetupPath();        // bin\zuru-<version>-setup.exe
std::string CompilerStandIn();  // bin\stubs\zuru2.exe: the simulator's compiler
std::string OtherBuildOfOurs(const std::string& name);  // "older" or "newer"

// A string of a program's version record ("ProductVersion", ...), in its first
// language; empty when it has none.
std::string VersionString(const std::string& program, const std::string& name);

// Every file of a folder (with a trailing backslash) by name, with its bytes.
using Files = std::map<std::string, std::string>;
Files ReadFolder(const std::string& folder);
void WriteFolder(const std::string& folder, const Files& files);
// When a folder's list of files last changed (a file made, renamed or deleted in it).
unsigned long long LastChanged(const std::string& folder);
// Deletes every file of a folder (with a trailing backslash), read-only ones too.
void EmptyFolder(const std::string& folder);

// Runs the setup program with /S /D=<folder>; its exit code (throws when it
// does not end within a minute). RunSetup drops a trailing backslash,
// RunSetupAs gives the folder exactly as spelled.
DWORD RunSetup(const std::string& folder);
DWORD RunSetupAs(const std::string& folder);
// Runs the uninstaller of `folder` silently, as Windows would from its entry:
// from a copy elsewhere, told the folder with _?= (so the run can be waited for).
DWORD RunUninstaller(const std::string& folder, bool removeOptions = false);

// Our entries in "Programs and Features": each folder's own key under the
// Uninstall key, "ZURU Adventure Options <hash>", and the one that earlier
// versions kept for every folder; by key name, with their values.
using Entry = std::map<std::string, std::string>;
using Entries = std::map<std::string, Entry>;
constexpr const char* kSharedEntryName = "ZURU Adventure Options";
Entries UninstallEntries();
// The entry of an earlier version, with these string values.
void WriteSharedEntry(const Entry& values);
// The folder the setup program suggests from its last installation; "" for none.
std::string LastFolder();
// Every entry of ours and the last folder: gone.
void DeleteSetupRegistry();
// Makes the key of our entry `name` (an empty one when there is none) one that
// may be read and deleted but not written: its access list lets nobody set a
// value in it, so the setup program's writes of that entry fail.
void RefuseEntryWrites(const std::string& name);

// A file held open by the test, as another program would: `share` is what the
// holder lets others do (0: nothing; FILE_SHARE_READ: read, as a running program).
class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD share);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

 private:
  HANDLE m_handle;
};

// Free bytes for the caller on the volume of `folder`.
unsigned long long FreeBytes(const std::string& folder);
// Fills the volume of `folder` with the file `path` until about `leaveFree`
// bytes are left.
void FillDisk(const std::string& path, unsigned long long leaveFree);

}  // namespace setup
