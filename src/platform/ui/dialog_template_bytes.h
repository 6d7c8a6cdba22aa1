// A dialog template as the dialog manager reads it from memory (DialogBoxIndirectParamA,
// CreateDialogIndirectParamA), built from the program's template table.
//
// Layout (little-endian, every item starts on a 4-byte boundary from the start of the block):
//   DLGTEMPLATE   DWORD style, DWORD exStyle, WORD items, short x, y, cx, cy  (dialog units)
//                 WORD menu = 0, WORD class = 0, WCHAR title[] (zero-terminated)
//                 with DS_SETFONT: WORD point size, WCHAR face name[]
//   per control   DWORD style, DWORD exStyle, short x, y, cx, cy, WORD id
//                 class: 0xFFFF + atom (0x80 Button, 0x81 Edit, 0x82 Static, 0x83 ListBox) or WCHAR name[]
//                 title: WCHAR text[], WORD creation-data size = 0
// Control styles get WS_CHILD; the animation control is centred (ACS_CENTER), as the progress window
// shows it. Texts are Windows-1252 and become UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace platform {

inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD ACS_CENTER = 0x0001;

// The window class a control of the table is created with: an atom of a system class, or a name.
struct ControlClassName {
    std::uint16_t atom;  // 0 when `name` is used
    const char* name;
};
ControlClassName WindowClassFor(ControlClass cls);

// The in-memory template of `tmpl`, titled `caption`. The first byte is meant to sit on a 4-byte
// boundary, which the vector's storage does.
std::vector<std::uint8_t> BuildDialogTemplate(const DialogTemplate& tmpl, const std::string& caption);

}  // namespace platform
