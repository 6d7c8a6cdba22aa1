// The freedesktop side of the Start menu: when a shortcut is saved below a Start-menu "Programs" folder
// of the prefix, the entries Wine 8's menu builder writes for it on the host, so the kit shows in the
// user's application menu as it would after a Windows installer run under Wine. Measured from Debian's
// Wine 8 (winemenubuilder on the shortcuts this program writes):
//
//   DATA/applications/wine/Programs/GROUP/ITEM.desktop
//       [Desktop Entry]
//       Name=ITEM                          the shortcut's file name without ".lnk"
//       Exec=env WINEPREFIX="PREFIX" LOADER LINK
//                                          LINK: the shortcut's Windows path, escaped twice (for the
//                                          shell, then for the desktop entry): "\" -> "\\\\",
//                                          blank ' " ` ~ & ; $ # ( ) < > | * ? tab -> "\\" + character
//       Type=Application
//       StartupNotify=true
//       Comment=DESCRIPTION                when the shortcut has one
//       Path=PREFIX/dosdevices/c:/DIR      the working directory, as Wine maps it to the host (existing
//                                          components spelt as on disk); absent when it has none or its
//                                          parent directory does not exist
//       Icon=NAME                          only where an icon could be extracted (see below)
//       StartupWMClass=program.exe         the target's file name in lower case
//   CONFIG/menus/applications-merged/wine-Programs-GROUP-ITEM.menu
//       the nested <Menu> elements wine-wine, wine-Programs, wine-Programs-GROUP, each naming its
//       .directory, and an <Include> of the desktop file id "wine-Programs-GROUP-ITEM.desktop" (XML
//       escaped)
//   DATA/desktop-directories/wine-wine.directory, wine-Programs.directory, wine-Programs-GROUP.directory
//       Type=Directory, the folder's name, Icon=folder (Icon=wine for the top one)
//   HKEY_CURRENT_USER\Software\Wine\MenuFiles
//       one value per file written, named "\\?\Z:" + its host path, holding the shortcut's path; Wine's
//       menu builder uses these to clean up entries whose shortcut is gone
//
// DATA is $XDG_DATA_HOME (default ~/.local/share), CONFIG is $XDG_CONFIG_HOME (default ~/.config).
// LOADER is the command Debian's Wine 8 writes: "wine-stable" where that is installed, else "wine".
//
// Icons: Wine names an extracted icon "%04X_%s.%d" (CRC-16/ARC of the UTF-16 icon path, the file's base
// name, the icon index) and writes it as PNG files under DATA/icons/hicolor. The programs of the kit carry
// no icon resource, so no Icon line is written; for documents Wine takes the icon of the program their
// type is associated with, which is not done here.
//
// Nothing is written where Wine itself would not run its menu builder: WINEDLLOVERRIDES or the prefix's
// HKEY_CURRENT_USER\Software\Wine\DllOverrides disabling winemenubuilder.exe.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/api.h"
#include "platform/machine/prefix.h"
#include "platform/machine/progman.h"
#include "platform/machine/shell_link.h"

namespace platform {

// The escaping of one argument of an Exec line, as Wine's menu builder does it.
std::string EscapeExecArgument(std::string_view text);
// Text for an XML element.
std::string EscapeMenuXml(std::string_view text);
// The name Wine gives the icon at `index` of the file `windowsPath` ("F419_Ovra.0").
std::string ExtractedIconName(std::string_view windowsPath, int index);

// True when a WINEDLLOVERRIDES value disables winemenubuilder.exe; nullopt when it says nothing of it.
std::optional<bool> OverridesDisableMenuBuilder(std::string_view dllOverrides);

struct DesktopHome {
    std::string dataDir;    // $XDG_DATA_HOME or ~/.local/share
    std::string configDir;  // $XDG_CONFIG_HOME or ~/.config
    // From the variables (null or empty when unset); empty directories when neither they nor HOME say.
    static DesktopHome From(const char* home, const char* xdgDataHome, const char* xdgConfigHome);
};

// What Wine writes for one shortcut; the texts are UTF-8.
struct DesktopEntry {
    std::vector<std::string> folders;  // "Programs", "Kestravion Kit 6.1"
    std::string item;                  // "Ovra IDE"
    std::string desktopText;
    std::string menuText;
    std::string desktopPath, menuPath;                             // host paths
    std::vector<std::pair<std::string, std::string>> directories;  // host path, text
};

class DesktopEntries : public ShellLinkSink {
  public:
    DesktopEntries(const Prefix& prefix, RegistryApi& registry);

    // Off until configured: `dllOverrides` is the WINEDLLOVERRIDES of the run (null when unset).
    void Configure(bool enabled, DesktopHome home, std::string loader, const char* dllOverrides);
    // Where the configuration, the environment and the prefix's own settings let Wine write entries.
    bool Active() const;

    // The entry of a shortcut saved at `linkPath`; nullopt when it lies outside a Start menu.
    std::optional<DesktopEntry> EntryFor(const std::string& linkPath, const ShellLink& link) const;

    void LinkSaved(const std::string& linkPath, const ShellLink& link) override;
    void LinkDeleted(const std::string& linkPath) override;

    // Host paths of the desktop and menu files written by this run, in order.
    const std::vector<std::string>& written() const { return written_; }

  private:
    std::optional<std::vector<std::string>> MenuPath(const std::string& linkPath) const;
    void Record(const std::string& hostPath, const std::string& linkPath);
    void Unrecord(const std::string& hostPath);

    const Prefix& prefix_;
    RegistryApi& registry_;
    bool enabled_ = false;
    DesktopHome home_;
    std::string loader_ = "wine";
    std::optional<bool> environmentDisables_;
    std::vector<std::string> written_;
};

// The command Wine's menu builder puts after the prefix in Exec lines on this host.
std::string HostWineLoader();

}  // namespace platform
