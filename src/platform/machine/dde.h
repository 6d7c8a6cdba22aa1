// The DDE management library of the machine: client instances, string handles and conversations with
// the one server the prefix has, Program Manager's "PROGMAN" service (topic "PROGMAN"), which takes
// XTYP_EXECUTE transactions in CF_TEXT. With Faults::progmanAbsent no server answers DdeConnect.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/api.h"
#include "platform/machine/faults.h"
#include "platform/machine/progman.h"

namespace platform {

class MachineDde : public DdeApi {
  public:
    // `programsFolder`: where Program Manager keeps its groups.
    MachineDde(FileApi& files, Faults& faults, std::string programsFolder);

    UINT DdeInitializeA(DWORD* instance, PFNCALLBACK callback, DWORD command, DWORD reserved) override;
    HSZ DdeCreateStringHandleA(DWORD instance, LPCSTR text, int codePage) override;
    HCONV DdeConnect(DWORD instance, HSZ service, HSZ topic, const void* context) override;
    HDDEDATA DdeClientTransaction(const BYTE* data, DWORD size, HCONV conv, HSZ item, UINT format, UINT type,
                                  DWORD timeout, DWORD* result) override;
    BOOL DdeDisconnect(HCONV conv) override;
    BOOL DdeFreeStringHandle(DWORD instance, HSZ handle) override;
    BOOL DdeUninitialize(DWORD instance) override;
    UINT DdeGetLastError(DWORD instance) override;

    // Every execute string the service received, in order (whether or not it succeeded).
    const std::vector<std::string>& executed() const { return executed_; }
    Progman& progman() { return progman_; }

  private:
    struct Instance {
        PFNCALLBACK callback;
        UINT lastError = DMLERR_NO_ERROR;
    };
    struct StringHandle {
        DWORD instance;
        std::string text;
        int references;
    };
    struct Conversation {
        DWORD instance;
    };
    Instance* Find(DWORD instance);
    const StringHandle* FindString(DWORD instance, HSZ handle) const;

    Faults& faults_;
    Progman progman_;
    std::map<DWORD, Instance> instances_;
    std::map<std::uintptr_t, StringHandle> strings_;
    std::map<std::uintptr_t, Conversation> conversations_;
    DWORD nextInstance_ = 1;
    std::uintptr_t nextString_ = 0xC000;  // string handles are atoms
    std::uintptr_t nextConversation_ = 1;
    std::vector<std::string> executed_;
};

}  // namespace platform
