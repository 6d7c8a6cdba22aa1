// The program's message table: every text the user sees, by number, as the string-table resource of the
// program holds it. The English half has the ids 1001 to 1302; the French half mirrors every English id N
// at N + 1000. A text is always asked for by its English base id plus the language offset of the setup
// record (0 English, 1000 French).
//
// Texts are bytes in the Windows-1252 code page, as LoadStringA hands them to an ANSI program; "\n" is a
// line break and printf placeholders ("%s", "%.0f", "%lu") are filled in by the caller.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace resources {

// Offset of the French half; the setup record holds 0 or this.
inline constexpr unsigned short kFrenchLanguageOffset = 1000;
// Caption of every message box and of the main window.
inline constexpr int kCaptionMessageId = 1061;
// LoadStringA is always called with a buffer of this many characters, so one fewer arrives.
inline constexpr std::size_t kLoadStringBufferSize = 255;

struct MessageEntry {
    unsigned id;
    std::string_view text;  // Windows-1252 bytes
};

// The whole table, both halves, ordered by id.
std::span<const MessageEntry> AllMessages();

bool HasMessage(unsigned id);

// LoadStringA(instance, id, buffer, 255): the text cut to 254 characters, "" when there is no entry.
std::string LoadStringA(unsigned id);

// The text of baseId + languageOffset, as LoadStringA gives it.
std::string LoadMessage(int baseId, unsigned short languageOffset);

// The lookup behind LoadStringA, over any table ordered by id (tests feed it entries the real table
// does not have, such as one longer than the buffer).
std::string LoadStringFromTable(std::span<const MessageEntry> table, unsigned id, std::size_t bufferSize);

// UTF-8 to Windows-1252, as WideCharToMultiByte(1252) with the default character '?' for what the code
// page cannot hold. The table is written in UTF-8 and converted once, on first use.
std::string Utf8ToCp1252(std::string_view utf8, bool* lossy = nullptr);

}  // namespace resources
