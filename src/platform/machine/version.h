// Placeholder until the real service lands: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include "platform/api.h"

namespace platform {

struct Faults;

class MachineVersion : public VersionApi {
  public:
    explicit MachineVersion(FileApi& files, Faults& faults) {
        (void)files;
        (void)faults;
    }

    DWORD GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) override;
    BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data) override;
    BOOL VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* length) override;
    DWORD VerFindFileA(DWORD flags, LPCSTR fileName, LPCSTR winDir, LPCSTR appDir, LPSTR curDir,
                       UINT* curDirLen, LPSTR destDir, UINT* destDirLen) override;
    DWORD VerInstallFileA(DWORD flags, LPCSTR srcFileName, LPCSTR destFileName, LPCSTR srcDir, LPCSTR destDir,
                          LPCSTR curDir, LPSTR tmpFile, UINT* tmpFileLen) override;
    DWORD GetExpandedNameA(LPCSTR source, LPSTR buffer) override;
    LONG LZCopyFile(LPCSTR source, LPCSTR dest) override;
};

}  // namespace platform
