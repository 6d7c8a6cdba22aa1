// The derivative databases: the chip variants the IDE's simulators and debuggers know, written as
// registry keys (8051, 80C251 and XA under "Simulators", ST5 under "ST5Derivatives") or staged as
// OVRA.ini sections (ST6, the LPC parts and the simulators the IDE component brings).
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "platform/win_types.h"

// One 8051, 80C251 or XA derivative as the IDE reads it from the registry.
struct DerivativeRecord {
    std::string name;
    std::string generic;
    std::string company;
    std::string microRef;
    std::string targetName;
    std::string dllName;  // relative to the installation directory, or empty
    std::uint16_t flags = 0;
    std::string hidden;
    std::string intRamSize;
    std::string incFile;   // relative ("\inc\..."), or empty
    std::string microDef;  // relative, or empty
};

// The selection test of the flavour on a record's flags.
bool DerivativeSelected(std::uint16_t flags);

// Appends to `list` the HF.csv rows (from the two heading lines on) whose family column equals `family`.
// A missing file appends nothing; a malformed line is kept or skipped by the same tests as any other.
void ReadDerivativeFile(const char* family, const std::string& path, std::list<DerivativeRecord>& list);

// The values of one record into an open key, paths completed with the installation directory.
void WriteDerivativeKey(HKEY key, const DerivativeRecord& record);

// Below the open "Simulators" key: the 8051 parts (HF.csv from the media, or the built-in table when it
// yields none), then the 80C251/XA parts, each when the flavour selects it.
void WriteSimulatorDerivatives(HKEY simulators);

// "Software\KESTRAVION\Ovra\6.1\ST5Derivatives" with its 76 parts.
void WriteST5Derivatives();

// OVRA.ini staging done while the IDE component is installed.
// The ST6 simulator and starter kit as Simulator%d sections, then the 25 "ST6Derivatives%d" sections.
void StageSt6Derivatives();
// The hidden peripheral-kit simulator and the five LPC parts as Simulator%d sections.
void Stage8051Simulators();
