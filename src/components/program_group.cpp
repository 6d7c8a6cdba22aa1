#include "components/program_group.h"

#include "app/setup_record.h"
#include "app/tags.h"
#include "app/text.h"
#include "components/tools_host.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/catalogue_products.h"

using namespace catalogue;

std::vector<std::string> ProgramGroupCommands(const std::string& installDir, bool lpc) {
    const char* dir = installDir.c_str();
    // The commands hold the installation directory up to three times; they are formatted into strings
    // that grow with it, so a directory of the full 259 characters still yields whole commands.
    return {
        FormatText("[DeleteGroup(%s)]", kProgramGroup),
        FormatText("[CreateGroup(%s)]", kProgramGroup),
        FormatText("[ShowGroup(%s,7)][AddItem(\"%s\\bin\\%s %s\",%s %s,,0,0,0,\"%s\\examples\")]",
                   kProgramGroup, dir, kIdeProgram, "", "Ovra", lpc ? "IDE for LPC" : "IDE", dir),
        FormatText("[ShowGroup(%s,7)][AddItem(\"%s\\help\\%s %s\",%s %s)]", kProgramGroup, dir,
                   kIdeReferenceHelp, "", "Ovra", "Reference"),
        FormatText("[ShowGroup(%s,7)][AddItem(\"%s\\%s\" \"%s\\%s\",%s,,0,0,0,\"%s\\examples\")]",
                   kProgramGroup, dir, kUninstaller, dir, kUninstallLog, "Vexa Uninstall", dir),
        FormatText("[ShowGroup(%s,7)]", kProgramGroup),
        "[ExitProgman(1)]",
    };
}

void CreateProgramGroup(WVexaTools& host, bool& conversationFlag) {
    host.ddeInstance = 0;
    host.conversation = nullptr;
    host.serviceHandle = nullptr;
    host.topicHandle = nullptr;

    if (!host.ddeCallback) {
        conversationFlag = false;
    } else if (DdeInitializeA(&host.ddeInstance, host.ddeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        conversationFlag = false;
    } else {
        host.serviceHandle = DdeCreateStringHandleA(host.ddeInstance, "PROGMAN", CP_WINANSI);
        host.topicHandle = DdeCreateStringHandleA(host.ddeInstance, "PROGMAN", CP_WINANSI);
        if (!host.serviceHandle || !host.topicHandle) conversationFlag = false;
    }
    if (conversationFlag) {
        host.conversation = DdeConnect(host.ddeInstance, host.serviceHandle, host.topicHandle, nullptr);
        if (!host.conversation) conversationFlag = false;
    }
    if (conversationFlag) {
        for (const std::string& command : ProgramGroupCommands(Setup().installDir, HasTag(kLpcTools))) {
            // The terminating zero is part of the data; the results are not looked at.
            DdeClientTransaction(reinterpret_cast<const BYTE*>(command.c_str()),
                                 static_cast<DWORD>(command.size() + 1), host.conversation, nullptr, CF_TEXT,
                                 XTYP_EXECUTE, 1000, nullptr);
        }
    }
    if (host.conversation) DdeDisconnect(host.conversation);
    if (host.ddeInstance) {
        if (host.serviceHandle) DdeFreeStringHandle(host.ddeInstance, host.serviceHandle);
        if (host.topicHandle) DdeFreeStringHandle(host.ddeInstance, host.topicHandle);
        DdeUninitialize(host.ddeInstance);
    }
}
