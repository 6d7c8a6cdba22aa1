#include "config/user_keys.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/registry_util.h"
#include "app/tags.h"
#include "app/text.h"
#include "components/numbered_lists.h"
#include "config/ovra_ini.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/catalogue_products.h"

namespace {

constexpr const char* kCompressorCommand = "17195";

HKEY CreateUserKey(const std::string& path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    DWORD ignored = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, disposition ? disposition : &ignored) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

struct DebugDefault {
    const char* target;
    double megahertz;
    const char* derivative;
    const char* reference;
    const char* type;
};

void WriteDebugTarget(const DebugDefault& d) {
    HKEY key = CreateUserKey(std::string("Software\\KESTRAVION\\Debug\\") + d.target);
    if (!key) return;
    char frequency[32];
    std::snprintf(frequency, sizeof frequency, "%5.3f", d.megahertz);
    SetStringValue(key, "Debug type", "1");
    SetStringValue(key, "Debug Frequency", frequency);
    SetStringValue(key, "Name", d.derivative);
    SetStringValue(key, "Reference", d.reference);
    SetStringValue(key, "Type", d.type);
    RegCloseKey(key);
}

bool HasCompressor() {
    return HasTag(catalogue::kCompressor51) || HasTag(catalogue::kCompressorXa);
}

struct Toolbar {
    const char* name;
    std::vector<const char*> buttons;
    const char* left;
    const char* top;
    const char* bottom;
    const char* right;
};

void WriteToolbar(HKEY buttons, const Toolbar& bar) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(buttons, bar.name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        return;
    SetStringValue(key, "Count", std::to_string(bar.buttons.size()));
    for (std::size_t i = 0; i < bar.buttons.size(); ++i)
        SetStringValue(key, ("Button" + std::to_string(i)).c_str(), bar.buttons[i]);
    SetStringValue(key, "IsVisible", "1");
    SetStringValue(key, "Location", "1");
    SetStringValue(key, "left", bar.left);
    SetStringValue(key, "top", bar.top);
    SetStringValue(key, "bottom", bar.bottom);
    SetStringValue(key, "right", bar.right);
    RegCloseKey(key);
}

std::string QueryText(HKEY key, const char* name) {
    char buffer[MAX_PATH] = {};
    DWORD size = sizeof buffer - 1, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return std::string();
    return FromBuffer(buffer, size);
}

// An existing toolbar layout is the user's: only the compressor's button is added, and only once.
void AddCompressorButton(HKEY buttons) {
    HKEY project = nullptr;
    if (RegOpenKeyExA(buttons, "Project", 0, KEY_ALL_ACCESS, &project) != ERROR_SUCCESS) return;
    int count = 0;
    std::sscanf(QueryText(project, "Count").c_str(), "%d", &count);
    bool present = false;
    for (int i = 0; i < count && !present; ++i)
        present = QueryText(project, ("Button" + std::to_string(i)).c_str()) == kCompressorCommand;
    if (!present && count >= 0) {
        SetStringValue(project, "Count", std::to_string(count + 1));
        SetStringValue(project, ("Button" + std::to_string(count)).c_str(), kCompressorCommand);
    }
    RegCloseKey(project);
}

}  // namespace

void WriteDebuggerDefaults() {
    using namespace catalogue;
    const DebugDefault st6{"ST6", 8.0, kSt6SimulatorName, "0", "7"};
    const DebugDefault c51{"80C51", 12.0, "8xC52", "1052", "0"};
    const DebugDefault xa{"XA", 12.0, "XA-G3", "3", "4"};
    const DebugDefault lpc{"80C51", 12.0, "8xLPC764", "1052", "0"};
    if (HasTag(kOvraSt6)) WriteDebugTarget(st6);
    if (HasTag(kOvraPhilips)) {
        WriteDebugTarget(c51);
        WriteDebugTarget(xa);
    }
    if (HasTag(kOvraInfineon)) WriteDebugTarget(c51);
    if (HasTag(kOvra)) {
        if (HasTag(k8051Tools)) WriteDebugTarget(c51);
        // Written after the 8051 row so that the LPC derivative wins when both apply.
        if (HasTag(kLpcTools)) WriteDebugTarget(lpc);
        if (HasTag(kXaTools)) WriteDebugTarget(xa);
    }
}

void WriteToolbars() {
    DWORD disposition = 0;
    HKEY buttons = CreateUserKey("Software\\KESTRAVION\\Ovra\\Buttons", &disposition);
    if (!buttons) return;
    const bool compressor = HasCompressor();
    if (disposition == REG_OPENED_EXISTING_KEY) {
        if (compressor) AddCompressorButton(buttons);
        RegCloseKey(buttons);
        return;
    }
    std::vector<const char*> project = {"19030", "19032"};
    if (compressor) project.push_back(kCompressorCommand);
    const Toolbar bars[] = {
        {"Standard", {"24332", "24333", "24362", "19110"}, "0", "0", "32", "120"},
        {"Editor", {"24321", "24322", "24323", "24324", "24351", "24353"}, "190", "0", "32", "360"},
        {"Project", project, "120", "0", "32", "190"},
        {"View", {"7750", "19054", "19090"}, "0", "32", "64", "776"},
        {"Debug",
         {"247", "802", "19151", "19122", "19120", "19121", "19130", "19132", "19133"},
         "0",
         "32",
         "65",
         "491"},
    };
    for (const auto& bar : bars)
        WriteToolbar(buttons, bar);
    RegCloseKey(buttons);
}

void WriteDosTools() {
    HKEY root = CreateUserKey("Software\\KESTRAVION\\Dos Tools");
    if (!root) return;
    const unsigned count = ListCounts().dosTools;
    for (unsigned i = 0; i < count; ++i) {
        std::string section = "DosTool" + std::to_string(i);
        std::string name;
        if (!ReadOvraIni(section, "Name", name)) continue;
        HKEY key = CreateUserKey(std::string("Software\\KESTRAVION\\Dos Tools\\") + name);
        if (!key) continue;
        for (const char* value : {"Name", "Command line", "Filter", "To Filter"}) {
            std::string text;
            if (ReadOvraIni(section, value, text)) SetStringValue(key, value, text);
        }
        std::string prompt;
        if (ReadOvraIni(section, "To Prompt", prompt, 2)) SetStringValue(key, "To Prompt", prompt);
        RegCloseKey(key);
    }
    RegCloseKey(root);
}
