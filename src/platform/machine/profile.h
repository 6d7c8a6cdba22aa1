// Placeholder until the real service lands: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include "platform/api.h"

namespace platform {

class MachineProfile : public ProfileApi {
  public:
    explicit MachineProfile(FileApi& files) { (void)files; }

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
};

}  // namespace platform
