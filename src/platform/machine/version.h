// Version installation as VERSION.DLL and LZ32 provide it: version resources, VerFindFileA,
// VerInstallFileA with LZ (SZDD) expansion, GetExpandedNameA and LZCopy. Every file is reached through
// the file service, so the faults injected there (disk full, files in use, denied paths) apply here.
//
// Where Wine is known to differ from Windows, this follows Windows:
//   - VerInstallFileA returns the temporary name without a leading backslash, reports VIF_DIFFLANG and
//     VIF_DIFFCODEPG, compares versions with the copy in szCurDir (the destination directory only
//     when szCurDir is empty) and reports a locked destination as VIF_FILEINUSE;
//   - a szTmpFile buffer that is too small gets the length the name needs in *puTmpFileLen;
//   - VerFindFileA reports VFF_FILEINUSE for a current copy another program holds open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/api.h"

namespace platform {

struct Faults;

class MachineVersion : public VersionApi {
  public:
    MachineVersion(FileApi& files, Faults& faults) : files_(files), faults_(faults) {}

    DWORD GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) override;
    BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data) override;
    BOOL VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* length) override;
    DWORD VerFindFileA(DWORD flags, LPCSTR fileName, LPCSTR winDir, LPCSTR appDir, LPSTR curDir,
                       UINT* curDirLen, LPSTR destDir, UINT* destDirLen) override;
    DWORD VerInstallFileA(DWORD flags, LPCSTR srcFileName, LPCSTR destFileName, LPCSTR srcDir, LPCSTR destDir,
                          LPCSTR curDir, LPSTR tmpFile, UINT* tmpFileLen) override;
    DWORD GetExpandedNameA(LPCSTR source, LPSTR buffer) override;
    LONG LZCopyFile(LPCSTR source, LPCSTR dest) override;

    // The file LZOpenFileA opens for `source`: the file itself, or its compressed name when only that
    // exists (empty when neither does).
    std::string LzSourceName(const std::string& source);

  private:
    // The whole file, or nothing with the last error of the failing call set.
    bool ReadAll(const std::string& path, std::vector<std::uint8_t>& out);
    // The version resource of a file; false with the last error set (ERROR_RESOURCE_DATA_NOT_FOUND when
    // the file has none).
    bool ReadVersionResource(const std::string& path, std::vector<std::uint8_t>& out);
    bool Exists(const std::string& path);
    bool IsInUse(const std::string& path);
    // Copies (expanding an SZDD image) `source` into the new file `target`; VIF_ bits on failure.
    DWORD CopyExpanded(const std::string& source, const std::string& target);
    std::string NewTempName(const std::string& dir);

    FileApi& files_;
    Faults& faults_;
    unsigned tempCounter_ = 0;
};

}  // namespace platform
