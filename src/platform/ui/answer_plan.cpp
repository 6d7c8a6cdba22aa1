#include "platform/ui/answer_plan.h"

#include <cstdlib>

#include "platform/machine/text_util.h"

namespace platform {

namespace {

// Item `index` of a comma-separated list, lower-cased and trimmed; past the end, the last item when
// `repeatLast`, else "".
std::string ListItem(const std::string& list, int index, bool repeatLast) {
    std::string word;
    std::size_t start = 0;
    for (int i = 0; start <= list.size(); ++i) {
        std::size_t comma = list.find(',', start);
        word =
            ToLowerAscii(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        while (!word.empty() && word.front() == ' ')
            word.erase(word.begin());
        while (!word.empty() && word.back() == ' ')
            word.pop_back();
        if (i == index) return word;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return repeatLast ? word : std::string();
}

// A person can only press a push button that is on the page, shown and enabled; the answers file may
// not do more. Pressing a hidden Finish would otherwise run its handler (and ask for a logoff).
void RefuseUnlessPressable(const Dialog& dialog, int id, const std::string& key, const std::string& word) {
    const Control* c = dialog.Find(id);
    bool push =
        c && c->cls == ControlClass::Button && (c->IsButton(BS_PUSHBUTTON) || c->IsButton(BS_DEFPUSHBUTTON));
    std::string why;
    if (!push)
        why = "there is no button " + std::to_string(id) + " on it";
    else if (!c->visible)
        why = "its button \"" + WithoutMnemonic(c->text) + "\" is hidden";
    else if (!c->enabled)
        why = "its button \"" + WithoutMnemonic(c->text) + "\" is disabled";
    else
        return;
    throw ScriptRefused("page " + std::to_string(dialog.TemplateId()) + " (\"" + dialog.caption +
                        "\"): " + key + " presses \"" + word + "\", but " + why);
}

}  // namespace

int AnswerPlan::DefaultAnswer(int messageId, UINT type) {
    switch (messageId) {
        case 1071:
            return IDCANCEL;  // file in use: go on without it rather than retry forever
        case 1072:
            return IDNO;  // the file to install is older: keep the existing one
        case 1074:
            return IDNO;  // another copy elsewhere: keep it
        default:
            break;
    }
    bool second = (type & 0xF00) == MB_DEFBUTTON2;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return second ? IDCANCEL : IDOK;
        case MB_YESNO:
            return second ? IDNO : IDYES;
        case MB_YESNOCANCEL:
            return second ? IDNO : IDYES;
        case MB_RETRYCANCEL:
            return second ? IDCANCEL : IDRETRY;
        case MB_ABORTRETRYIGNORE:
            return second ? IDRETRY : IDABORT;
        default:
            return IDOK;
    }
}

int AnswerPlan::MessageBoxAnswer(int messageId, UINT type) const {
    if (messageId >= 0)
        if (auto scripted = answers_.AnswerFor(messageId); scripted && *scripted) return *scripted;
    return DefaultAnswer(messageId, type);
}

PageInput AnswerPlan::InputFor(const Dialog& dialog) const {
    PageInput input;
    auto put = [&](int id, const char* key) {
        if (auto v = answers_.Get(key)) input.edits.emplace_back(id, *v);
    };
    switch (dialog.TemplateId()) {
        case 7:
            put(206, "destination");
            break;
        case 6:
            put(201, "name");
            put(202, "company");
            break;
        case 5:
            if (auto v = answers_.Get("language")) {
                // "language=french,keep": one word a visit, the last one for every later visit; "keep"
                // leaves the radios as the page shows them.
                auto seen = visits_.find(dialog.TemplateId());
                std::string l = ListItem(*v, seen == visits_.end() ? 0 : seen->second, true);
                if (l == "english") input.radio = 106;
                if (l == "french") input.radio = 107;
            }
            break;
        case 15:
            put(215, "source");
            break;
        default:
            break;
    }
    return input;
}

void AnswerPlan::Apply(const PageInput& input, Dialog& dialog) {
    for (const auto& [id, text] : input.edits)
        dialog.UserEdit(id, text);
    if (input.radio) dialog.UserClickRadio(input.radio);
}

int AnswerPlan::NextCommand(const Dialog& dialog) {
    // "press.N=back,next": the command for each visit of dialog N, then the forward command.
    int visit = visits_[dialog.TemplateId()]++;
    std::string key = "press." + std::to_string(dialog.TemplateId());
    if (auto list = answers_.Get(key)) {
        std::string word = ListItem(*list, visit, false);
        if (int id = ParseCommandWord(word)) {
            RefuseUnlessPressable(dialog, id, key, word);
            return id;
        }
    }
    // A page that sends the run back to itself (a destination that cannot be made) would otherwise come
    // round forever with the same answers. The source prompt has its own guard below.
    if (visit >= kMaxVisits && dialog.TemplateId() != 15)
        throw ScriptStuck("dialog " + std::to_string(dialog.TemplateId()) + " (\"" + dialog.caption +
                          "\") shown " + std::to_string(visit + 1) +
                          " times; the answers file does not get this run past it");
    if (dialog.TemplateId() == 15) {
        if (answers_.Get("source").value_or("") == "cancel") return IDCANCEL;
        // The prompt comes back when the files are not at the location given: offering the same place
        // again would go round forever, so an unattended run gives up there.
        std::string location = ToLowerAscii(dialog.GetDlgItemText(215));
        if (!triedLocations_.insert(location).second) return IDCANCEL;
    }
    return dialog.ForwardCommand();
}

std::optional<std::string> AnswerPlan::BrowseResult() const {
    auto chosen = answers_.Get("browse");
    if (!chosen || chosen->empty()) return std::nullopt;
    return chosen;
}

int VisitCommands::Next(const Dialog& dialog) {
    if (sent_ == 0) {
        ++sent_;
        return lastCommand_ = first_;
    }
    if (sent_++ >= kMaxRefusals)
        throw ScriptStuck("dialog " + std::to_string(dialog.TemplateId()) + " (\"" + dialog.caption +
                          "\") refused command " + std::to_string(lastCommand_) + " " +
                          std::to_string(kMaxRefusals) +
                          " times; the answers file does not get this run past it");
    return lastCommand_ = dialog.ForwardCommand();
}

}  // namespace platform
