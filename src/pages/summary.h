// The settings summary before the install phase: user, target directory, free and required space.
#pragma once

#include <string>

#include "pages/option_dialog.h"

class WVexaDiskInfo : public InstallOptionDialog {
  public:
    WVexaDiskInfo(HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    void SetupPage() override;
    void CmHelp() override { ShowHelp(8); }
};

// "%.0f Mbytes" from 1 048 577 bytes on, "%lu bytes" up to 1024, "%.0f Kbytes" between.
std::string FormatFreeSpace(unsigned long long bytes);
// Free bytes of the drive of a directory ("" or no drive part: the current drive).
unsigned long long FreeBytesOfDrive(const std::string& directory);
