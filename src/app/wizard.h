// The wizard: a step machine over the page index, from the flavour checks to the last page.
#pragma once

class WizardState;

// Steps 0 to 11 until the index is -1 (an index outside 0..11 ends the wizard too); always ends by
// posting the quit message.
void RunWizard(WizardState& app);
// What the step table says for an index under the current flavour: a pure function of the index and the
// flavour's tags.
enum class StepKind {
    Page,                 // show the page of `dialog`
    Pass,                 // go on in the step direction
    PassWithLpcDefaults,  // step 3 of an LPC kit: Complete setup and English files, then pass
    PassClearingUser,     // step 4 of an LPC kit: empty name and company stored, then pass
    Install,              // step 9: the install phase
    Finish,               // step 10: end of a successful run and completion
    Failure,              // step 11: the incomplete-setup message
    End,                  // outside 0..11
};
struct StepAction {
    StepKind kind;
    int dialog;  // for Page
};
StepAction DecideStep(int index);

// One step of the table for the current index: shows its page or passes it in the step direction.
void RunStep(WizardState& app);
