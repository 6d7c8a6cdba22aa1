// The base of every wizard page: the look (picture, frame, separator) and the navigation buttons, which
// move the wizard's page index and step direction and close the page.
#pragma once

#include <cstdint>

#include "platform/dialog.h"

// Control ids of the navigation buttons.
inline constexpr int kBackButton = 101;
inline constexpr int kNextButton = 102;
inline constexpr int kExitButton = 103;
inline constexpr int kHelpButton = 104;

class InstallOptionDialog : public platform::Dialog {
  public:
    // `resourceId` names both the dialog template and the page picture. A page constructed while the page
    // index holds -1 shows no picture (the source prompt, the install-phase host).
    InstallOptionDialog(HWND parent, int resourceId, std::int32_t* pageIndex, std::int32_t* step);

    void SetupWindow() final { SetupPage(); }
    void Command(int id) override;
    int PictureId() const override { return pictureId_; }

    virtual void SetupPage() {}
    virtual void CmNext();
    virtual void CmBack();
    virtual void CmExit();
    virtual void CmHelp() {}
    virtual bool CanLeave() { return true; }

    HWND Parent() const { return parent_; }

  protected:
    // Back, Next, Exit and Help captioned from the message table.
    void SetNavigationCaptions();
    // WinHelpA(main window, help file, HELP_CONTEXT, context).
    void ShowHelp(DWORD context);
    // Page-specific commands (Browse, Skip, OK...); false for an id the page does not handle.
    virtual bool OnCommand(int id) {
        (void)id;
        return false;
    }

    std::int32_t* pageIndex_;
    std::int32_t* step_;

  private:
    HWND parent_;
    int pictureId_;
};

// Runs a page modally over the main window; everything the wizard needs is left in the index and step.
int RunPage(platform::Dialog& page);
