// The product's simulator DLLs whose installation the IDE component installer must know about (it then
// writes the simulator's derivative records).
#pragma once

// True for "NAME.dll" (any case) with NAME one of the catalogue's four simulator DLL base names.
bool IsSimulatorDll(const char* baseName, const char* extension);
