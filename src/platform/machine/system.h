// System services of the machine: the Windows version from the prefix's Wine setting, the system
// language from the host locale, the process environment, error modes and the session calls.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/api.h"

namespace platform {

class UiApi;

class MachineSystem : public SystemApi {
  public:
    // The language follows the host locale name (LC_ALL, LC_MESSAGES or LANG): "fr_FR.UTF-8" -> 1036.
    MachineSystem(RegistryApi& registry, std::string hostLocale);

    DWORD GetVersion() override;
    LANGID GetSystemDefaultLangID() override;
    UINT SetErrorMode(UINT mode) override;
    DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) override;
    BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) override;
    std::string FormatSystemMessage(DWORD code, LANGID lang) override;
    UINT LoadModule(LPCSTR module, void* parameters) override;
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
    void PostQuitMessage(int exitCode) override;
    BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR sd, DWORD revision) override;
    BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR sd, BOOL present, const void* dacl,
                                   BOOL defaulted) override;
    int GetSystemMetrics(int index) override;

    // What the session calls asked for (they are recorded, never acted on).
    bool QuitPosted() const { return quitPosted_; }
    int QuitCode() const { return quitCode_; }
    const std::vector<UINT>& ExitWindowsRequests() const { return exitRequests_; }
    UINT ErrorMode() const { return errorMode_; }
    // Where session and program-start requests are reported (the transcript).
    void SetTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }
    // Starts a program for LoadModule (the host side decides how); nullptr: programs are only recorded.
    void SetLauncher(std::function<bool(const std::string&)> launcher) { launcher_ = std::move(launcher); }
    void SetScreenSize(int width, int height) {
        screenWidth_ = width;
        screenHeight_ = height;
    }

    // GetVersion's value for a Wine "Version" setting ("win95", "winxp", ...; empty: Wine's default).
    static DWORD VersionFor(const std::string& wineSetting);
    static LANGID LangIdForLocale(const std::string& locale);

  private:
    RegistryApi& registry_;
    LANGID lang_;
    UINT errorMode_ = 0;
    bool quitPosted_ = false;
    int quitCode_ = 0;
    std::vector<UINT> exitRequests_;
    std::map<std::string, std::string> environment_;  // keys upper-cased
    std::function<void(const std::string&)> trace_;
    std::function<bool(const std::string&)> launcher_;
    int screenWidth_ = 1024;
    int screenHeight_ = 768;
};

}  // namespace platform
