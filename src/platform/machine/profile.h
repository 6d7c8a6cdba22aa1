// Profile (INI) files of the machine: GetPrivateProfileStringA and its relatives over the file service,
// so that every fault of the files (disk full, access denied, a file in use) reaches these calls too.
//
// Every call reads the file afresh (another program may have rewritten it). A write changes only the
// lines it must (see ini_document.h) and replaces the file through a temporary file in the same
// directory: when anything fails the original stays whole, and the call returns FALSE with the last
// error of the failing file operation.
//
// The last-error value after a call is part of the behaviour callers and the conformance transcripts
// see; it follows the file operations the reference implementation performs: 0 after reading an
// existing file, ERROR_FILE_NOT_FOUND after reading a missing one, ERROR_ALREADY_EXISTS after
// rewriting an existing file (ERROR_INVALID_PARAMETER when the file has a nameless part holding
// nothing, which its writer trips over), 0 after creating a new one.
#pragma once

#include <string>

#include "platform/api.h"

namespace platform {

class IniDocument;

class MachineProfile : public ProfileApi {
  public:
    explicit MachineProfile(FileApi& files) : files_(files) {}

    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer, DWORD size,
                                   LPCSTR file) override;
    BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) override;
    UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) override;
    DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file) override;
    DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file) override;
    BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR data, LPCSTR file) override;
    DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                            DWORD size) override;
    BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) override;

  private:
    struct Opened;
    // A bare file name lives in the Windows directory; anything else is made a full path.
    std::string ResolvePath(LPCSTR file);
    // Opens and reads the file (for writing: also checks that it may be written). False when it cannot
    // be opened for another reason than not existing; the last error is then the reason.
    bool Open(const std::string& path, bool forWrite, Opened& out);
    // Writes the document over the file, safely; sets the last error as described above.
    bool Save(const Opened& opened);
    bool ReplaceWith(const std::string& path, const std::string& bytes, bool existed);
    std::string TempNameIn(const std::string& directory);

    FileApi& files_;
    unsigned tempCounter_ = 0;
};

}  // namespace platform
