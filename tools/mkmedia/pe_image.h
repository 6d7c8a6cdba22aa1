// A minimal PE32 image that carries a version resource: enough for the version service (and Windows)
// to read "FileVersion" and VS_FIXEDFILEINFO, not a program that runs.
//
//   0x000  MZ header, e_lfanew = 0x40
//   0x040  "PE\0\0", COFF header (i386, one section), PE32 optional header (16 data directories, the
//          resource directory pointing at the section)
//   0x200  section ".rsrc" (RVA 0x1000): the resource tree RT_VERSION / 1 / 0x0409 and the
//          VS_VERSIONINFO block (fixed info, StringFileInfo "040904E4" with FileVersion and
//          ProductVersion, VarFileInfo Translation 0x0409 1252)
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mkmedia {

// Parses "6.10.2" into four 16-bit parts (missing parts are 0); false for anything else.
bool ParseVersion(const std::string& text, std::array<std::uint16_t, 4>& parts);

// `dll` selects the DLL characteristics and VFT_DLL; otherwise an application.
std::vector<std::uint8_t> MakePeImage(const std::array<std::uint16_t, 4>& version,
                                      const std::string& versionText, bool dll);

// A compiled program (PE32 or PE32+) made to carry `version`: its version resource (RT_VERSION, the
// first name and language) is replaced in place by the block MakePeImage would write, which must fit in
// the space of the one it replaces (the programs are built with a placeholder of the longest version
// text). False with `error` when the image has no such resource or the block does not fit.
bool SetProgramVersion(std::vector<std::uint8_t>& image, const std::array<std::uint16_t, 4>& version,
                       const std::string& versionText, bool dll, std::string& error);

}  // namespace mkmedia
