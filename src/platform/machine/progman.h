// The Program Manager's DDE service "PROGMAN" over the prefix: its groups are Start-menu folders below
// "C:\ProgramData\Microsoft\Windows\Start Menu\Programs" (where Wine keeps the common Start menu) and
// each item is a shell link in its group's folder.
//
// An execute string is one or more commands, each "[" Name ["(" arguments ")"] "]", blanks allowed
// between them. Arguments are separated by commas; a comma or blank inside double quotes belongs to the
// argument; an argument that is one quoted text loses its quotes, others keep their text (without
// surrounding blanks). Commands understood, with Program Manager's arguments:
//   CreateGroup(name[,groupPath])   ShowGroup(name,showCommand)   DeleteGroup(name)
//   AddItem(commandLine[,name[,iconPath[,iconIndex[,x,y[,workingDir[,hotKey[,minimise]]]]]]])
//   DeleteItem(name)                ExitProgman([save])
// The whole string is parsed before anything is done: a malformed string changes nothing. The commands
// then run in order and the first that fails ends the string.
#pragma once

#include <string>
#include <vector>

#include "platform/api.h"

namespace platform {

struct ShellLink;

// Told of every shortcut Program Manager saves or deletes (as Wine's shell runs its menu builder).
class ShellLinkSink {
  public:
    virtual ~ShellLinkSink() = default;
    virtual void LinkSaved(const std::string& linkPath, const ShellLink& link) = 0;
    virtual void LinkDeleted(const std::string& linkPath) = 0;
};

class Progman {
  public:
    explicit Progman(FileApi& files);

    void SetSink(ShellLinkSink* sink) { sink_ = sink; }

    // True when every command of the string was understood and done.
    bool Execute(const std::string& commands);

    // The folder of a group (full Windows path, no trailing backslash).
    static std::string GroupFolder(const std::string& group);
    static const char* ProgramsFolder();

    struct Command {
        std::string name;
        std::vector<std::string> rawArguments;  // as written, without surrounding blanks
    };
    // Parses an execute string; false for a malformed one.
    static bool Parse(const std::string& text, std::vector<Command>& commands);

  private:
    bool Run(const Command& command);
    bool CreateGroup(const std::string& name);
    bool DeleteGroup(const std::string& name);
    bool AddItem(const std::vector<std::string>& args);
    bool DeleteItem(const std::string& name);
    bool EnsureFolder(const std::string& path);

    FileApi& files_;
    ShellLinkSink* sink_ = nullptr;
    std::string currentGroup_;
};

}  // namespace platform
