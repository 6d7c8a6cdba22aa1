// The product's simulator DLLs whose installation the IDE component installer must know about (it then
// writes the simulator's derivative records). Base names, compared without regard to case; the
// extension is always ".dll".
#pragma once

#include <span>

std::span<const char* const> SimulatorDllBaseNames();
// True for "NAME.dll" (any case) with NAME one of the four.
bool IsSimulatorDll(const char* baseName, const char* extension);
