// The per-user keys the configuration writer leaves under HKEY_CURRENT_USER\Software\KESTRAVION:
// debugger defaults, the IDE's toolbars and the DOS tools.
#pragma once

// "Debug": one subkey per debug target of the IDE kit (its clock, default derivative and types).
void WriteDebuggerDefaults();
// "Ovra\Buttons": the default toolbars when the key is new; on an existing key only the code
// compressor's button is added to the project toolbar, once.
void WriteToolbars();
// "Dos Tools": the DosTool%d sections of OVRA.ini.
void WriteDosTools();
