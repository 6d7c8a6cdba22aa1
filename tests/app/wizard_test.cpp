#include "app/wizard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_record.h"
#include "resources/dialog_templates.h"

namespace {

enum Button { Next, Back, Exit };

struct Flavour {
    const char* name;
    std::uint32_t product, lpc, w8051, addOn, mx, xe;
};

void Apply(const Flavour& f) {
    ResetSetupRecord();
    SetupRecord& s = ::Setup();
    s.productWord = f.product;
    s.lpcWord = f.lpc;
    s.word8051 = f.w8051;
    s.addOnWord = f.addOn;
    s.mxWord = f.mx;
    s.xeWord = f.xe;
}

// Walks the step table as the wizard does: pages answer with the buttons given (then Next), passes go in
// the step direction, the install phase succeeds. Returns the dialogs shown and how the run ended.
std::vector<std::string> Walk(std::vector<Button> buttons) {
    std::vector<std::string> trail;
    int index = 0, direction = 1;
    for (int guard = 0; index != -1 && guard < 100; ++guard) {
        StepAction a = DecideStep(index);
        switch (a.kind) {
            case StepKind::Page: {
                trail.push_back(std::to_string(a.dialog));
                Button b = buttons.empty() ? Next : buttons.front();
                if (!buttons.empty()) buttons.erase(buttons.begin());
                if (b == Next) ++index, direction = 1;
                if (b == Back) --index, direction = -1;
                if (b == Exit) index = -1, trail.push_back("exit");
                break;
            }
            case StepKind::Pass:
            case StepKind::PassWithLpcDefaults:
            case StepKind::PassClearingUser:
                index += direction;
                break;
            case StepKind::Install:
                trail.push_back("install");
                index = 10;
                break;
            case StepKind::Finish:
                trail.push_back("finish");
                index = -1;
                break;
            case StepKind::Failure:
                trail.push_back("failure");
                index = -1;
                break;
            case StepKind::End:
                index = -1;
                break;
        }
    }
    return trail;
}

using Trail = std::vector<std::string>;

const Flavour kKit{"kit", 0x11, 0, 0x7F, 0, 0, 0};
const Flavour kPhilips{"philips", 0x12, 0, 0x7, 0x3, 0, 0};
const Flavour kSt6{"st6", 0x14, 0, 0, 0, 0, 0};
const Flavour kInfineon{"infineon", 0x90, 0, 0x7, 0, 0, 0};
const Flavour kLpc{"lpc", 0x11, 0x17, 0, 0, 0, 0};
const Flavour kRelease{"release", 0x18, 0, 0x7, 0, 0, 0};
const Flavour kAddOn{"addon", 0, 0, 0, 0x1, 0, 0};
const Flavour kMx{"mx", 0, 0, 0, 0, 0x27, 0};
const Flavour kXe{"xe", 0, 0, 0, 0, 0, 0x20001};

TEST(WizardSteps, PagesShownGoingForwardsByFlavour) {
    const Trail kitPages{"1", "2", "3", "6", "5", "7", "8", "install", "finish"};
    const Trail lpcPages{"1", "2", "3", "7", "8", "install", "finish"};
    const Trail toolPages{"1", "2", "7", "8", "install", "finish"};
    struct Case {
        Flavour flavour;
        Trail trail;
    } cases[] = {{kKit, kitPages},      {kPhilips, kitPages}, {kSt6, kitPages},
                 {kInfineon, kitPages}, {kLpc, lpcPages},     {kRelease, toolPages},
                 {kAddOn, toolPages},   {kMx, toolPages},     {kXe, toolPages}};
    for (const auto& c : cases) {
        Apply(c.flavour);
        EXPECT_EQ(Walk({}), c.trail) << c.flavour.name;
    }
}

TEST(WizardSteps, BackFromEveryPageLandsOnThePreviousShownPage) {
    struct Case {
        Flavour flavour;
        int nexts;  // pages passed with Next before Back
        Trail trail;
    } cases[] = {
        {kKit, 1, {"1", "2", "1", "2", "3", "6", "5", "7", "8", "install", "finish"}},
        {kKit, 2, {"1", "2", "3", "2", "3", "6", "5", "7", "8", "install", "finish"}},
        // Back from the user page passes step 3 and lands on the readme.
        {kKit, 3, {"1", "2", "3", "6", "3", "6", "5", "7", "8", "install", "finish"}},
        {kKit, 4, {"1", "2", "3", "6", "5", "6", "5", "7", "8", "install", "finish"}},
        {kKit, 5, {"1", "2", "3", "6", "5", "7", "5", "7", "8", "install", "finish"}},
        {kKit, 6, {"1", "2", "3", "6", "5", "7", "8", "7", "8", "install", "finish"}},
        // An LPC kit goes from the destination straight back to the readme.
        {kLpc, 3, {"1", "2", "3", "7", "3", "7", "8", "install", "finish"}},
        // A tool release passes 5, 4, 3 and 2 and lands on the licence.
        {kRelease, 2, {"1", "2", "7", "2", "7", "8", "install", "finish"}},
        {kXe, 3, {"1", "2", "7", "8", "7", "8", "install", "finish"}},
    };
    for (const auto& c : cases) {
        Apply(c.flavour);
        std::vector<Button> buttons(static_cast<std::size_t>(c.nexts), Next);
        buttons.push_back(Back);
        EXPECT_EQ(Walk(buttons), c.trail) << c.flavour.name << " back after " << c.nexts;
    }
}

TEST(WizardSteps, ExitOnAnyPageEndsTheRun) {
    for (const Flavour& f : {kKit, kLpc, kRelease}) {
        Apply(f);
        Trail all = Walk({});
        std::size_t pages = all.size() - 2;  // without install and finish
        for (std::size_t n = 0; n < pages; ++n) {
            std::vector<Button> buttons(n, Next);
            buttons.push_back(Exit);
            Trail expected(all.begin(), all.begin() + static_cast<long>(n) + 1);
            expected.push_back("exit");
            EXPECT_EQ(Walk(buttons), expected) << f.name << " exit on page " << n;
        }
    }
}

TEST(WizardSteps, IndicesOutsideTheTableEndTheWizard) {
    Apply(kKit);
    for (int index : {12, 13, -5, -2, 1000})
        EXPECT_EQ(DecideStep(index).kind, StepKind::End) << index;
    EXPECT_EQ(DecideStep(8).kind, StepKind::Pass);
    EXPECT_EQ(DecideStep(11).kind, StepKind::Failure);
}

TEST(WizardSteps, LpcStepsThreeAndFourCarryTheirSideEffects) {
    Apply(kLpc);
    EXPECT_EQ(DecideStep(3).kind, StepKind::PassWithLpcDefaults);
    EXPECT_EQ(DecideStep(4).kind, StepKind::PassClearingUser);
    Apply(kKit);
    EXPECT_EQ(DecideStep(3).kind, StepKind::Pass);
    EXPECT_EQ(DecideStep(4).kind, StepKind::Page);
    // An LPC word without any kit tag is still an LPC distribution for steps 3 and 4.
    Apply({"lpc-tools", 0, 0x1, 0, 0, 0, 0});
    EXPECT_EQ(DecideStep(4).kind, StepKind::PassClearingUser);
    EXPECT_EQ(DecideStep(2).kind, StepKind::Pass);
}

}  // namespace
