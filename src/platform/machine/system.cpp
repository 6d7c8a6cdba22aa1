#include "platform/machine/system.h"

#include <cstring>

#include "platform/last_error.h"
#include "platform/machine/system_messages.h"
#include "platform/machine/text_util.h"

namespace platform {

namespace {

struct VersionRow {
    const char* setting;
    DWORD value;
};

// What Wine 8 returns from GetVersion to a 64-bit program for each "Version" setting. Settings that are
// not offered to 64-bit programs (win31, win95 is, winnt40 is not) fall back to the default.
constexpr VersionRow kVersions[] = {
    {"win95", 0xC0000004},   {"win98", 0xC0000A04},   {"winme", 0xC0005A04},     {"win2k", 0x08930005},
    {"winxp", 0x0A280105},   {"winxp64", 0x0ECE0205}, {"win2003", 0x0ECE0205},   {"vista", 0x17720006},
    {"win2008", 0x17720006}, {"win7", 0x1DB10106},    {"win2008r2", 0x1DB10106}, {"win8", 0x23F00206},
    {"win81", 0x25800306},   {"win10", 0x23F00206},   {"win11", 0x55F00A00},
};
constexpr DWORD kDefaultVersion = 0x1DB10106;  // Windows 7 SP1, 6.1 build 7601

struct LocaleRow {
    const char* prefix;
    LANGID id;
};

constexpr LocaleRow kLocales[] = {
    {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C}, {"fr", 0x040C},
    {"de_AT", 0x0C07}, {"de_CH", 0x0807}, {"de", 0x0407},    {"en_GB", 0x0809}, {"en_AU", 0x0C09},
    {"en_CA", 0x1009}, {"en", 0x0409},    {"it", 0x0410},    {"es", 0x0C0A},    {"nl", 0x0413},
    {"pt_BR", 0x0416}, {"pt", 0x0816},    {"ja", 0x0411},    {"zh_TW", 0x0404}, {"zh", 0x0804},
    {"sv", 0x041D},    {"da", 0x0406},    {"fi", 0x040B},    {"nb", 0x0414},    {"pl", 0x0415},
    {"ru", 0x0419},    {"ko", 0x0412},    {"cs", 0x0405},    {"hu", 0x040E},
};

std::string EnvKey(LPCSTR name) {
    return ToUpperAscii(name ? name : "");
}

}  // namespace

MachineSystem::MachineSystem(RegistryApi& registry, std::string hostLocale)
    : registry_(registry), lang_(LangIdForLocale(hostLocale)) {
    environment_["SYSTEMROOT"] = "C:\\windows";
    environment_["WINDIR"] = "C:\\windows";
    environment_["SYSTEMDRIVE"] = "C:";
    environment_["PATH"] = "C:\\windows\\system32;C:\\windows;C:\\windows\\system32\\wbem";
    environment_["TEMP"] = "C:\\windows\\temp";
    environment_["TMP"] = "C:\\windows\\temp";
    environment_["COMSPEC"] = "C:\\windows\\system32\\cmd.exe";
}

DWORD MachineSystem::VersionFor(const std::string& wineSetting) {
    for (const auto& row : kVersions)
        if (EqualNoCase(row.setting, wineSetting)) return row.value;
    return kDefaultVersion;
}

LANGID MachineSystem::LangIdForLocale(const std::string& locale) {
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0) return 0x0409;
    for (const auto& row : kLocales) {
        std::size_t n = std::strlen(row.prefix);
        if (locale.compare(0, n, row.prefix) == 0 &&
            (locale.size() == n || locale[n] == '_' || locale[n] == '.' || locale[n] == '@'))
            return row.id;
    }
    return 0x0409;
}

DWORD MachineSystem::GetVersion() {
    // Wine reads HKCU\Software\Wine "Version" (winecfg's setting for all programs).
    HKEY key = nullptr;
    std::string setting;
    if (registry_.RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
        char buffer[64] = {};
        DWORD size = sizeof(buffer) - 1, type = 0;
        if (registry_.RegQueryValueExA(key, "Version", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                       &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            setting.assign(buffer, strnlen(buffer, sizeof(buffer)));
        registry_.RegCloseKey(key);
    }
    return VersionFor(setting);
}

LANGID MachineSystem::GetSystemDefaultLangID() {
    return lang_;
}

UINT MachineSystem::SetErrorMode(UINT mode) {
    UINT previous = errorMode_;
    errorMode_ = mode;
    return previous;
}

DWORD MachineSystem::GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    auto it = environment_.find(EnvKey(name));
    if (it == environment_.end()) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const std::string& value = it->second;
    if (!buffer || size <= value.size()) return static_cast<DWORD>(value.size() + 1);
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<DWORD>(value.size());
}

BOOL MachineSystem::SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
    if (!name || !*name || std::strchr(name + 1, '=')) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (value)
        environment_[EnvKey(name)] = value;
    else
        environment_.erase(EnvKey(name));
    return TRUE;
}

std::string MachineSystem::FormatSystemMessage(DWORD code, LANGID) {
    return SystemMessageText(code);
}

UINT MachineSystem::LoadModule(LPCSTR module, void*) {
    std::string name = module ? module : "";
    if (trace_) trace_("LoadModule \"" + name + "\"");
    if (launcher_ && !launcher_(name)) return SE_ERR_FNF;
    return 33;
}

BOOL MachineSystem::ExitWindowsEx(UINT flags, DWORD reason) {
    exitRequests_.push_back(flags);
    if (trace_) {
        char line[80];
        std::snprintf(line, sizeof line, "ExitWindowsEx flags=%u reason=0x%08X (recorded, not acted on)",
                      flags, static_cast<unsigned>(reason));
        trace_(line);
    }
    return TRUE;
}

void MachineSystem::PostQuitMessage(int exitCode) {
    if (!quitPosted_) quitCode_ = exitCode;
    quitPosted_ = true;
}

BOOL MachineSystem::InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR sd, DWORD revision) {
    if (!sd || revision != SECURITY_DESCRIPTOR_REVISION) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *sd = SECURITY_DESCRIPTOR{};
    sd->Revision = static_cast<BYTE>(revision);
    return TRUE;
}

BOOL MachineSystem::SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR sd, BOOL present, const void* dacl,
                                              BOOL defaulted) {
    if (!sd) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    sd->DaclPresent = present != FALSE;
    sd->Dacl = dacl;
    sd->DaclDefaulted = defaulted != FALSE;
    return TRUE;
}

int MachineSystem::GetSystemMetrics(int index) {
    switch (index) {
        case 0:
            return screenWidth_;  // SM_CXSCREEN
        case 1:
            return screenHeight_;  // SM_CYSCREEN
        default:
            return 0;
    }
}

}  // namespace platform
