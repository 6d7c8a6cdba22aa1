#include "components/numbered_lists.h"

#include <cstdio>
#include <string>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"

namespace {

// A counter and the 16-bit copy the configuration writer reads as the list length.
struct Counter {
    int value = 0;
    std::uint16_t copy = 0;
};

Counter g_simulators, g_emulators, g_helps, g_pdfs, g_userTools, g_dosTools;

// "UserTool" + the largest int fits with room to spare.
char g_sectionName[32];

bool g_keepAsked = false;
bool g_keep = false;

const char* NextSection(const char* prefix, Counter& counter) {
    std::snprintf(g_sectionName, sizeof g_sectionName, "%s%d", prefix, counter.value);
    ++counter.value;
    counter.copy = static_cast<std::uint16_t>(counter.value);
    return g_sectionName;
}

void AddDocument(const char* prefix, Counter& counter, const char* name, const char* relativePath) {
    std::string section = NextSection(prefix, counter);
    std::string path = Setup().installDir + relativePath;
    WriteIdeIni("Name", section.c_str(), name);
    WriteIdeIni("Path", section.c_str(), path.c_str());
}

}  // namespace

const char* NextSimulatorSection() {
    return NextSection("Simulator", g_simulators);
}
const char* NextEmulatorSection() {
    return NextSection("Emulator", g_emulators);
}
const char* NextUserToolSection() {
    return NextSection("UserTool", g_userTools);
}
const char* NextDosToolSection() {
    return NextSection("DosTool", g_dosTools);
}

void AddManual(const char* name, const char* relativePath) {
    AddDocument("Pdf", g_pdfs, name, relativePath);
}

void AddHelpFile(const char* name, const char* relativePath) {
    AddDocument("Help", g_helps, name, relativePath);
}

void DeletePreviousKey(const char* parentPath, const char* subKey) {
    if (!IsOvraFamily()) return;
    HKEY parent = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parentPath, 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS) return;
    HKEY previous = nullptr;
    if (RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, &previous) != ERROR_SUCCESS) {
        RegCloseKey(parent);
        return;
    }
    RegCloseKey(previous);
    if (!g_keepAsked) {
        // No caption: the box shows the text alone, over whatever window is active.
        std::string text = LoadMessage(1236);
        platform::Current().ui->NoteMessageId(1236);
        g_keep = MessageBoxExA(MainWindowHandle(), text.c_str(), "", MB_YESNO, 0) == IDYES;
        g_keepAsked = true;
    }
    if (!g_keep) RegDeleteKeyA(parent, subKey);
    RegCloseKey(parent);
}

NumberedListCounts ListCounts() {
    return {g_simulators.copy, g_emulators.copy, g_helps.copy,
            g_pdfs.copy,       g_userTools.copy, g_dosTools.copy};
}

void ResetNumberedLists() {
    g_simulators = g_emulators = g_helps = g_pdfs = g_userTools = g_dosTools = Counter{};
    g_keepAsked = false;
    g_keep = false;
}
