// What every family installer does the same way: file sets installed under the continue flag, and the
// OVRA.ini entries of targets, tools, simulators, emulators, documents and external tools, written from
// the catalogue's family rows.
#pragma once

#include "resources/catalogue_products.h"

class WVexaTools;

namespace family {

// Positions in a row's tool list (the XE8000 row lists its own six in its own order).
enum ToolRole { kAssembler = 0, kCompiler = 1, kLinker = 2, kHexConverter = 3, kLibrarian = 4 };

// The catalogue row numbered `number` (1 to 35).
const catalogue::FamilyRow& Row(int number);

// Installs `set` when the phase may still go on and keeps the result in the continue flag; true when the
// set was installed.
bool InstallSet(WVexaTools& host, const char* set);

// "Targets".<target> = installation directory + "\Bin\" + the row's target DLL.
void WriteTarget(const catalogue::FamilyRow& row);
// The tool's own section: "Name", "Path", "Source extensions", "Object extensions", "Linker".
void WriteTool(const char* name);
void WriteTools(const catalogue::FamilyRow& row);
// The next "Simulator%d" / "Emulator%d" section, its "TargetName" the row's device target.
void WriteSimulator(const catalogue::FamilyRow& row, const catalogue::DeviceEntry& device);
void WriteEmulator(const catalogue::FamilyRow& row, const catalogue::DeviceEntry& device);
void WriteSimulators(const catalogue::FamilyRow& row);
void WriteEmulators(const catalogue::FamilyRow& row);
// "Pdf%d" named group + "\" + title; "Help%d" named by the title.
void WriteManual(const catalogue::FamilyRow& row, const catalogue::DocEntry& doc);
void WriteManuals(const catalogue::FamilyRow& row);
void WriteHelps(const catalogue::FamilyRow& row);
// A "UserTool%d" entry and its "DosTool%d" twin for each program the row runs outside the IDE.
void WriteExternalTools(const catalogue::FamilyRow& row);
// The keep-previous-configuration question for every subkey the row re-creates.
void AskAboutPreviousKeys(const catalogue::FamilyRow& row);

}  // namespace family
