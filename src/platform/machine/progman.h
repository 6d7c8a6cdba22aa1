// The Program Manager's DDE service "PROGMAN" over the prefix, answering as Wine's does: its groups are
// folders of the Start-menu Programs folder of the user running the setup (also when a common group is
// asked for) and each item is a shell link in its group's folder.
//
// An execute string is a run of commands, each "[" Name ["(" arguments ")"] "]", blanks allowed around
// names, brackets and arguments and between commands. Arguments are separated by commas; a comma or a
// parenthesis inside double quotes belongs to the argument; an argument that is one quoted text loses
// its quotes, an unquoted one its surrounding blanks. Commands run as they are read and the first that
// fails ends the string; so does text that is malformed (nothing more is done), while text after the
// last command that does not begin another one is ignored. Commands understood, with their arguments:
//   CreateGroup(name[,common])      ShowGroup(name,showCommand)   DeleteGroup(name)
//   AddItem(commandLine[,name[,iconPath[,iconIndex[,x,y[,workingDir[,hotKey[,minimise]]]]]]])
//   DeleteItem(name)                ExitProgman([save])
// Group and item names become file names with each character a file name cannot hold made '_'. A group
// name that names no folder of its own ("", "." or "..", trailing dots and blanks dropped as Windows
// drops them) is refused: deleting that group would take the user's whole Start menu.
//
// Where Wine is known not to be Windows, the service follows Windows: an item is made for a target that
// does not exist yet (the setup adds items before their files are all there) and for a command line
// with arguments (the uninstaller's item names its log). A non-zero minimise flag runs the item
// minimised (SW_SHOWMINNOACTIVE), as Windows documents the flag.
#pragma once

#include <string>
#include <vector>

#include "platform/api.h"

namespace platform {

// The Start-menu Programs folders as Wine lays them out in a prefix (full Windows paths).
std::string UserProgramsFolder(const std::string& userName);
const char* CommonProgramsFolder();

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
    // `programsFolder`: the Programs folder the groups are kept in.
    Progman(FileApi& files, std::string programsFolder);

    void SetSink(ShellLinkSink* sink) { sink_ = sink; }

    // True when the string held at least one command and every command read was done.
    bool Execute(const std::string& commands);

    const std::string& ProgramsFolder() const { return programsFolder_; }
    // The folder of a group (full Windows path, no trailing backslash).
    std::string GroupFolder(const std::string& group) const;
    // A group or item name as the file name it is kept under.
    static std::string FileName(const std::string& name);

    struct Command {
        std::string name;
        std::vector<std::string> rawArguments;  // as written, without surrounding blanks
    };
    enum class Read { Command, End, Malformed };
    // Reads the command that begins at `pos` (after blanks) and moves `pos` past it. End: no further
    // command begins there.
    static Read ReadCommand(const std::string& text, std::size_t& pos, Command& command);
    // Every command of a string as Execute reads them; false when it has none or a malformed one.
    static bool Parse(const std::string& text, std::vector<Command>& commands);

  private:
    bool Run(const Command& command);
    bool CreateGroup(const std::string& name);
    bool ShowGroup(const std::string& name);
    bool DeleteGroup(const std::string& name);
    bool AddItem(const std::vector<std::string>& args);
    bool DeleteItem(const std::string& name);
    bool EnsureFolder(const std::string& path);
    bool IsFolder(const std::string& path);
    bool IsFile(const std::string& path);
    bool RemoveTree(const std::string& path);
    void SplitCommandLine(const std::string& raw, std::string& program, std::string& arguments);

    FileApi& files_;
    std::string programsFolder_;
    std::string currentGroup_;  // folder of the group last created or shown
    ShellLinkSink* sink_ = nullptr;
};

// SHGetFolderPathA for the Programs folders: CSIDL_PROGRAMS and CSIDL_COMMON_PROGRAMS (with
// CSIDL_FLAG_CREATE the folder is made when missing); E_INVALIDARG for any other folder. The path is
// given whether or not the folder exists yet: a fresh prefix's Start menu is made by its first group.
class MachineShell : public ShellApi {
  public:
    MachineShell(FileApi& files, std::string userName);
    HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) override;

  private:
    FileApi& files_;
    std::string userName_;
};

}  // namespace platform
