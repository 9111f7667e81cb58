#pragma once
// The setup program's window, used from outside as a person would: its frame
// (caption and the Back/Next/Cancel buttons) and the page it shows inside.
#include <windows.h>

#include <string>

#include "driver/dialog.h"

namespace setup {

constexpr const char* kSetupCaption = "ZURU Adventure Options " ZURU_PRODUCT_VERSION_TEXT " Setup";
constexpr int kNextButton = 1;  // "Next >", "Install", "Finish"
constexpr int kCancelButton = 2;
constexpr int kFolderEdit = 1019;  // the folder page's folder

// The frame of the setup program of process `processId` (0: of any process), by
// the start of its caption.
e2e::Dialog WaitForSetupFrame(DWORD processId, e2e::ScaledMs timeout = e2e::kDefaultTimeoutMs);
// The page the frame shows, once it holds the control `id`; throws at the deadline.
e2e::Dialog WaitForPage(const e2e::Dialog& frame, int id,
                        e2e::ScaledMs timeout = e2e::kDefaultTimeoutMs);
// From the welcome page on to the folder page, which it gives.
e2e::Dialog GoToFolderPage(const e2e::Dialog& frame);
// Every text of the page, one control a line.
std::string PageText(const e2e::Dialog& page);
// Cancels the setup program and confirms it; false when it did not ask.
bool CancelSetup(const e2e::Dialog& frame, DWORD processId);

}  // namespace setup
