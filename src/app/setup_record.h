// The one program-wide record of setup state, shared by every part of the program.
#pragma once

#include <cstdint>
#include <string>

struct SetupRecord {
    // Drive and directory of the program on the media, ending with a backslash (empty when argv[0] was).
    std::string sourceDir;
    std::string helpFile;
    std::uint16_t languageOffset = 0;
    std::int32_t captionId = 1061;
    bool nt = false;

    // Flavour words; 0 when the file or key is missing.
    std::uint32_t productWord = 0;
    std::uint32_t word8051 = 0;
    std::uint32_t lpcWord = 0;
    std::uint32_t xaWord = 0;
    std::uint32_t st6Word = 0;
    std::uint32_t st5Word = 0;
    std::uint32_t addOnWord = 0;
    std::uint32_t patchWord = 0;
    std::uint32_t mxWord = 0;
    std::uint32_t xeWord = 0;
    std::uint32_t word80251 = 0;  // no flavour file carries it

    float addOnRequiredVersion = 0;
    std::string patchBuildNumber;
    std::string patchFileSet = "Patch";
    std::string patchDescription = "Patch";
    std::string patchDir;
    float installedIdeVersion = 0;

    std::string installDir = "c:\\OVRA";
    bool earlierInstallation = false;
    std::string userName;
    std::string company;
    // Empty when this run writes no uninstall log.
    std::string uninstallLog;
    // Set by the engine when it installs the simulator DLLs; read by the documentation step.
    bool simulatorDllsInstalled = false;
};

SetupRecord& Setup();
// Back to the values of a program start (for tests and the application's construction).
void ResetSetupRecord();
