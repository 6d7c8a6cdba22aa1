// What an unattended run does on each page and message box, decided from the answers file: the same for
// every front end that can run unattended, so the headless run and the driven windows agree.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog.h"
#include "platform/ui/answers.h"

namespace platform {

// Thrown when an unattended run would go round forever: a dialog refused the same scripted command
// again and again.
class ScriptStuck : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Thrown when the answers file presses a button a person could not press: one the page does not have,
// or has hidden or disabled. A kind of ScriptStuck: the run cannot go on as the file says.
class ScriptRefused : public ScriptStuck {
  public:
    using ScriptStuck::ScriptStuck;
};

// The user's input on one page before its command: texts typed into edits (in this order), then the
// radio button clicked (0 for none).
struct PageInput {
    std::vector<std::pair<int, std::string>> edits;
    int radio = 0;
};

class AnswerPlan {
  public:
    explicit AnswerPlan(Answers answers) : answers_(std::move(answers)) {}

    // The answer a box gets without a scripted one: the questions whose first button would undo work
    // or loop (a file in use, an older or other copy of a file) keep what exists and go on; every other
    // box takes its default button.
    static int DefaultAnswer(int messageId, UINT type);
    // The scripted answer for the box, else the default one.
    int MessageBoxAnswer(int messageId, UINT type) const;

    PageInput InputFor(const Dialog& dialog) const;
    // Applies the input to the model directly (the headless front end).
    static void Apply(const PageInput& input, Dialog& dialog);
    // The first command of this visit of the dialog; every call counts a visit. A scripted press of a
    // button that is missing, hidden or disabled throws ScriptRefused.
    int NextCommand(const Dialog& dialog);
    // The folder the browser returns; nullopt when it is cancelled.
    std::optional<std::string> BrowseResult() const;

    const Answers& answers() const { return answers_; }

  private:
    // Unscripted visits of one dialog before the run is taken to be going round in a circle.
    static constexpr int kMaxVisits = 20;
    Answers answers_;
    std::map<int, int> visits_;             // dialog template id -> visits so far
    std::set<std::string> triedLocations_;  // source locations already offered at the prompt
};

// The commands of one unattended visit of a dialog: the planned one, then, while the dialog stays open
// (Next on the readme page, a refused entry), its forward command; a dialog that refuses too often
// throws ScriptStuck.
class VisitCommands {
  public:
    VisitCommands(AnswerPlan& plan, const Dialog& dialog) : first_(plan.NextCommand(dialog)) {}
    // The command to send now; `dialog` has not ended.
    int Next(const Dialog& dialog);

  private:
    static constexpr int kMaxRefusals = 3;
    int first_;
    int sent_ = 0;
    int lastCommand_ = 0;
};

}  // namespace platform
