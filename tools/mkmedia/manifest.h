// The media manifest: a readable text from which mkmedia builds a distribution media directory.
//
// One directive a line; "#" at the start of a line makes a comment. Words are separated by blanks; a
// word in double quotes may hold blanks and the escapes \n \r \t \\ \" \xHH. Paths on the media are
// relative to the output directory and may use "/" or "\". Host paths (from=, copyfile) are relative to
// the manifest's directory.
//
//   ini PATH SECTION KEY=VALUE...    adds "[SECTION]" and its keys to an INI file (CR LF lines); a
//                                    flavour file:  ini INSTOVRA.INI INSTALL CODE=11
//   text PATH "CONTENT"              a text file; each "\n" of CONTENT is written as CR LF
//   text PATH <<WORD                 a text file from the following lines up to a line WORD (CR LF)
//   copyfile PATH HOSTPATH           a copy of a host file
//   generate PATH SIZE               SIZE bytes of generated text
//   avi PATH                         a tiny valid uncompressed AVI (INSTALL.AVI)
//   pe PATH VERSION                  a minimal PE32 with a version resource ("6.10.2"; a DLL when PATH
//                                    ends in .dll)
//
//   set NAME [lang=English|French|English,French|root] [folder]
//                                    starts file set NAME: its list NAME.INS and data file NAME.DAT go
//                                    into the language folders given (default English; "root": the
//                                    media root, the RELEASE layout), inside a folder NAME when "folder"
//                                    is given (the second place the engine looks)
//     md DIR                         list lines, written as they are
//     regentry KEY SECTION [VALUE]
//     regentrywithpath KEY SECTION PATH
//     line "ANY TEXT"                a raw list line (comments, damaged lines for tests)
//     file SUBDIR NAME SOURCE [gauge=N] [long=NAME] [stored=NAME] [plain] [at=N] [FLAG...]
//                                    a copy line and its record. SOURCE is one of text="...", size=N
//                                    (generated), from=HOSTPATH, pe=VERSION. The image is
//                                    SZDD-compressed and stored as NAME with its last character
//                                    replaced by "_" (NAME may hold "~"), unless "plain" (stored
//                                    uncompressed as NAME) or stored= names it. long= gives the N"..."
//                                    option; FLAG is VERSION, SHARED, V16ONLY or V32ONLY; at=N writes
//                                    a wrong P offset (for tests of damaged media). The line ends
//                                    with the C checksum of the file's content, unless "nocrc"
//                                    (media as older builders wrote them) or crc=HEX (a given one).
//   end                              ends the set
//
// The install list and data file formats are those of src/engine/install_list.h.
#pragma once

#include <string>

namespace mkmedia {

// Builds the media described by `manifest` into `outDir` (created when missing). False with `error`
// ("line N: ...") when the manifest is wrong or a file cannot be written. With `programsDir` (compiled
// Ovra.exe and tool.exe), each ".exe" image is a program that runs, made to carry its version;
// otherwise a minimal PE with only the version resource.
bool BuildMedia(const std::string& manifest, const std::string& manifestDir, const std::string& outDir,
                std::string& error, const std::string& programsDir = "");

// Deterministic text of `size` bytes (the generated payloads), varied by `seed`.
std::string GeneratedText(std::size_t size, const std::string& seed);

}  // namespace mkmedia
