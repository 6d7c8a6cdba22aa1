// The probe line protocol: one command a line on standard input, a transcript on standard output.
//
//   # comment / blank line     copied through unchanged (a "#@" line is a directive for the runner)
//   > the command line         echoed before its results
//     key=value key=value ...  one or more result lines, indented two spaces
//
// Tokens are separated by blanks. A bare token is literal (Windows paths need no escaping), and so is a
// 'single-quoted' token; a "double-quoted" token understands \\ \" \n \r \t \0 \xHH. The bare token
// <null> is a NULL pointer. Strings in results are printed quoted with the same escapes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace winprobe {

struct Token {
    std::string s;
    bool isNull = false;
    // The token as a C string argument: nullptr for <null>.
    const char* c() const { return isNull ? nullptr : s.c_str(); }
};
using Tokens = std::vector<Token>;

// Splits a line; false on a syntax error (an unterminated quote, more than 16 tokens).
bool Tokenize(const std::string& line, Tokens& out);

// Output helpers (all write to standard output).
void Print(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintEscaped(const char* data, std::size_t n);  // "..." with the protocol's escapes
void PrintString(const char* s);                     // <null> or "..."
// " err=unchanged" or " err=N": the last-error value against the sentinel set by ResetError().
inline constexpr DWORD kErrorSentinel = 0x0BADF00D;
void ResetError();
void PrintError();

// Output buffers are filled with this byte before a call; WrittenLength tells how far the call wrote.
inline constexpr unsigned char kFillByte = 0xCC;
int WrittenLength(const char* buffer, int size);
unsigned long ParseNumber(const std::string& s);  // strtoul(s, 0)

// One probe: returns true when the command was its own (it printed the results).
using CommandFn = bool (*)(const Tokens& t);

// The file commands every probe understands (echo put cat sum rm mkdir rmtree copy ls attrib hold
// release). `ReleaseHeld` closes what `hold` kept open.
bool CommonCommand(const Tokens& t);
void ReleaseHeld();

bool ProfileCommand(const Tokens& t);
bool RegCommand(const Tokens& t);
bool VerCommand(const Tokens& t);
bool ShortCommand(const Tokens& t);
bool ProgmanCommand(const Tokens& t);
void EndProgman();  // closes the conversation ProgmanCommand opened

}  // namespace winprobe
