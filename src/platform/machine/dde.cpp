#include "platform/machine/dde.h"

#include <cstring>

namespace platform {

namespace {

constexpr const char* kProgman = "PROGMAN";

bool SameText(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::uintptr_t Key(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

}  // namespace

MachineDde::MachineDde(FileApi& files, Faults& faults, std::string programsFolder)
    : faults_(faults), progman_(files, std::move(programsFolder)) {}

MachineDde::Instance* MachineDde::Find(DWORD instance) {
    auto it = instances_.find(instance);
    return it == instances_.end() ? nullptr : &it->second;
}

const MachineDde::StringHandle* MachineDde::FindString(DWORD instance, HSZ handle) const {
    auto it = strings_.find(Key(handle));
    if (it == strings_.end() || it->second.instance != instance) return nullptr;
    return &it->second;
}

UINT MachineDde::DdeInitializeA(DWORD* instance, PFNCALLBACK callback, DWORD command, DWORD reserved) {
    (void)command;
    if (!instance || !callback || reserved != 0) return DMLERR_INVALIDPARAMETER;
    if (*instance != 0) {
        // Re-initialising an existing instance only changes its callback.
        Instance* existing = Find(*instance);
        if (!existing) return DMLERR_INVALIDPARAMETER;
        existing->callback = callback;
        return DMLERR_NO_ERROR;
    }
    *instance = nextInstance_++;
    instances_[*instance] = Instance{callback};
    return DMLERR_NO_ERROR;
}

HSZ MachineDde::DdeCreateStringHandleA(DWORD instance, LPCSTR text, int codePage) {
    Instance* in = Find(instance);
    if (!in) return nullptr;
    if (!text || (codePage != 0 && codePage != static_cast<int>(CP_WINANSI))) {
        in->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    // Like global atoms, one text (whatever its case) has one handle, counted.
    for (auto& [key, s] : strings_)
        if (s.instance == instance && SameText(s.text, text)) {
            ++s.references;
            return reinterpret_cast<HSZ>(key);
        }
    std::uintptr_t key = nextString_++;
    strings_[key] = StringHandle{instance, text, 1};
    return reinterpret_cast<HSZ>(key);
}

HCONV MachineDde::DdeConnect(DWORD instance, HSZ service, HSZ topic, const void* context) {
    (void)context;
    Instance* in = Find(instance);
    if (!in) return nullptr;
    const StringHandle* s = FindString(instance, service);
    const StringHandle* t = FindString(instance, topic);
    if ((service && !s) || (topic && !t)) {
        in->lastError = DMLERR_INVALIDPARAMETER;
        return nullptr;
    }
    // A null service or topic matches any; Program Manager is the only server.
    bool serves = (!s || SameText(s->text, kProgman)) && (!t || SameText(t->text, kProgman));
    if (faults_.progmanAbsent || !serves) {
        in->lastError = DMLERR_NO_CONV_ESTABLISHED;
        return nullptr;
    }
    std::uintptr_t key = nextConversation_++;
    conversations_[key] = Conversation{instance};
    return reinterpret_cast<HCONV>(key);
}

HDDEDATA MachineDde::DdeClientTransaction(const BYTE* data, DWORD size, HCONV conv, HSZ item, UINT format,
                                          UINT type, DWORD timeout, DWORD* result) {
    (void)timeout;
    auto it = conversations_.find(Key(conv));
    if (it == conversations_.end()) return nullptr;
    Instance* in = Find(it->second.instance);
    if (!in) return nullptr;
    if (result) *result = 0;
    if (type != XTYP_EXECUTE || item != nullptr || format != CF_TEXT || !data || size == 0) {
        in->lastError = (type == XTYP_EXECUTE) ? DMLERR_INVALIDPARAMETER : DMLERR_NOTPROCESSED;
        return nullptr;
    }
    // The text ends at its terminating zero or at the end of the data, whichever comes first.
    const char* text = reinterpret_cast<const char*>(data);
    std::string commands(text, strnlen(text, size));
    executed_.push_back(commands);
    if (!progman_.Execute(commands)) {
        in->lastError = DMLERR_NOTPROCESSED;
        return nullptr;
    }
    if (result) *result = DDE_FACK;
    return reinterpret_cast<HDDEDATA>(static_cast<std::uintptr_t>(1));
}

BOOL MachineDde::DdeDisconnect(HCONV conv) {
    return conversations_.erase(Key(conv)) ? TRUE : FALSE;
}

BOOL MachineDde::DdeFreeStringHandle(DWORD instance, HSZ handle) {
    auto it = strings_.find(Key(handle));
    if (it == strings_.end() || it->second.instance != instance) return FALSE;
    if (--it->second.references == 0) strings_.erase(it);
    return TRUE;
}

BOOL MachineDde::DdeUninitialize(DWORD instance) {
    if (!instances_.erase(instance)) return FALSE;
    for (auto it = conversations_.begin(); it != conversations_.end();)
        it = it->second.instance == instance ? conversations_.erase(it) : std::next(it);
    for (auto it = strings_.begin(); it != strings_.end();)
        it = it->second.instance == instance ? strings_.erase(it) : std::next(it);
    return TRUE;
}

UINT MachineDde::DdeGetLastError(DWORD instance) {
    Instance* in = Find(instance);
    if (!in) return DMLERR_DLL_NOT_INITIALIZED;
    UINT error = in->lastError;
    in->lastError = DMLERR_NO_ERROR;
    return error;
}

}  // namespace platform
