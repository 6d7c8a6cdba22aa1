// Pages as text: the caption, the texts, the fields and radio buttons, the list box a screenful at a
// time, and a row of buttons; then a line typed by the user.
#include <algorithm>
#include <cstdlib>

#include "platform/ui/text_ui.h"
#include "platform/ui/transcript_lines.h"

namespace platform {

namespace {

// Dialogs shown after the input ended before the run is stopped: enough for every page to be left once,
// too few for a page that keeps coming back to go round for long.
constexpr int kMaxDialogsAfterEnd = 50;

bool IsPushButton(const Control& c) {
    return c.IsButton(BS_PUSHBUTTON) || c.IsButton(BS_DEFPUSHBUTTON);
}

bool IsEditable(const Control& c) {
    return c.cls == ControlClass::Edit && c.enabled && !(c.style & ES_READONLY);
}

bool IsActionable(const Control& c) {
    if (!c.visible) return false;
    if (IsPushButton(c) || c.IsButton(BS_AUTORADIOBUTTON)) return c.enabled;
    return IsEditable(c);
}

// The page's own controls in template order, then the push buttons from left to right, as drawn.
std::vector<const Control*> DrawOrder(const Dialog& dialog) {
    std::vector<const Control*> order;
    std::vector<const Control*> buttons;
    for (const Control& c : dialog.controls) {
        if (!c.visible) continue;
        (IsPushButton(c) ? buttons : order).push_back(&c);
    }
    std::stable_sort(buttons.begin(), buttons.end(), [](const Control* a, const Control* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    order.insert(order.end(), buttons.begin(), buttons.end());
    return order;
}

// The ids of the controls the user can reach by number; number n is element n-1.
std::vector<int> Numbered(const Dialog& dialog) {
    std::vector<int> ids;
    for (const Control* c : DrawOrder(dialog))
        if (IsActionable(*c)) ids.push_back(c->id);
    return ids;
}

std::string NumberOf(const std::vector<int>& numbered, int id) {
    for (std::size_t i = 0; i < numbered.size(); ++i)
        if (numbered[i] == id) return std::to_string(i + 1) + ") ";
    return "";
}

std::string Trim(const std::string& s) {
    std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The page's one field a typed text goes into when it is nothing else, 0 when the page has none or more.
int SoleField(const Dialog& dialog) {
    int field = 0;
    for (const Control& c : dialog.controls) {
        if (!c.visible || !IsEditable(c)) continue;
        if (field) return 0;
        field = c.id;
    }
    return field;
}

// The words that name the navigation buttons by id, whatever their captions say on the page.
constexpr std::pair<const char*, int> kButtonWords[] = {
    {"next", 102}, {"back", 101}, {"exit", 103}, {"help", 104}};

bool IsButtonWord(const std::string& word) {
    for (const auto& [name, id] : kButtonWords)
        if (SameWord(word, name)) return true;
    return false;
}

// The button a word names: next, back, exit or help, else a button's own caption without its mnemonic
// ("browse", "suivant"), without regard to case; nullptr for none. Hidden buttons are not found.
const Control* ButtonNamed(const Dialog& dialog, const std::string& word) {
    for (const auto& [name, id] : kButtonWords) {
        if (!SameWord(word, name)) continue;
        const Control* c = dialog.Find(id);
        return c && c->visible && IsPushButton(*c) ? c : nullptr;
    }
    for (const Control& c : dialog.controls)
        if (c.visible && IsPushButton(c) && SameWord(word, WithoutMnemonic(c.text))) return &c;
    return nullptr;
}

// What "?" says: the page's own bracketed letters first, then every other way to answer.
std::string PageHelp(const Dialog& dialog, bool hasList) {
    std::string letters;
    for (const Control* c : DrawOrder(dialog)) {
        bool clickable = IsPushButton(*c) || c->IsButton(BS_AUTORADIOBUTTON);
        char letter = MnemonicOf(c->text);
        if (!clickable || letter == 0) continue;
        letters += std::string(letters.empty() ? "" : ", ") + "[" + letter + "] " + WithoutMnemonic(c->text);
        if (!c->enabled) letters += " (unavailable)";
    }
    std::string help;
    if (!letters.empty()) {
        help += "  [x]           the letter in brackets presses that button, or picks that radio button:\n";
        help += "                " + letters + "\n";
    }
    help +=
        "  a number      press that button, pick that radio button, or type into that field\n"
        "  number=text   put the text into that field at once\n"
        "  next, back, exit, help, or a button's name: press that button\n";
    if (SoleField(dialog))
        help += "  other text    put it into the field (to put one of the words above there: number=text)\n";
    help += "  Enter         press the default button (marked <Enter>)\n";
    if (hasList) help += "  + / -         next / previous lines of the list\n";
    help += "  ?             this help\n";
    return help;
}

}  // namespace

std::size_t TextUi::ListPageSize() const {
    // Into a pipe the whole list goes at once; on a screen a screenful leaves room for the page around it.
    if (!terminal_.IsTerminal()) return static_cast<std::size_t>(-1);
    return static_cast<std::size_t>(std::max(5, terminal_.Height() - 18));
}

void TextUi::DrawPage(const Dialog& dialog, std::size_t listTop) {
    EndProgressLine();
    int width = terminal_.Width();
    std::vector<int> numbered = Numbered(dialog);
    std::string out = "\n" + dialog.caption + "\n" +
                      std::string(std::min(dialog.caption.size(), static_cast<std::size_t>(width)), '-') +
                      "\n";
    std::vector<const Control*> order = DrawOrder(dialog);
    std::string label;      // a static that names the field after it
    std::string radioLine;  // radio buttons of one group share a line
    auto flushRadios = [&] {
        if (!radioLine.empty()) out += "    " + radioLine + "\n";
        radioLine.clear();
    };
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Control& c = *order[k];
        if (!c.IsButton(BS_AUTORADIOBUTTON)) flushRadios();
        switch (c.cls) {
            case ControlClass::Static: {
                if (c.text.empty()) break;
                const Control* next = k + 1 < order.size() ? order[k + 1] : nullptr;
                if (next && next->cls == ControlClass::Edit && std::abs(next->y - c.y) <= 4) {
                    label = WithoutMnemonic(c.text);
                    break;
                }
                for (const std::string& line : WrapText(WithoutMnemonic(c.text), width - 2)) {
                    std::size_t pad = 0;
                    auto room = static_cast<std::size_t>(width - 2);
                    if ((c.style & SS_CENTER) && line.size() < room) pad = (room - line.size()) / 2;
                    if ((c.style & SS_RIGHT) && line.size() < room) pad = room - line.size();
                    out += "  " + std::string(pad, ' ') + line + "\n";
                }
                break;
            }
            case ControlClass::Edit: {
                std::string line = "  " + (label.empty() ? std::string() : label + " ");
                line += NumberOf(numbered, c.id) + "[" + c.text + "]";
                if (!IsEditable(c)) line += " (read-only)";
                out += line + "\n";
                label.clear();
                break;
            }
            case ControlClass::ListBox: {
                std::size_t pageSize = ListPageSize();
                std::size_t first = std::min(listTop, c.items.size());
                std::size_t end = first + std::min(pageSize, c.items.size() - first);
                for (std::size_t i = first; i < end; ++i) {
                    // The empty items are the licence's paragraph breaks: keep them as empty lines.
                    if (c.items[i].empty()) out += "  |\n";
                    for (const std::string& line : WrapText(c.items[i], width - 4))
                        out += "  | " + line + "\n";
                }
                if (c.items.size() > pageSize)
                    out += "  -- lines " + std::to_string(first + 1) + "-" + std::to_string(end) + " of " +
                           std::to_string(c.items.size()) + "; \"+\" next, \"-\" previous --\n";
                break;
            }
            case ControlClass::Button:
                if (c.IsButton(BS_GROUPBOX)) {
                    out += "  " + WithoutMnemonic(c.text) + ":" + (c.enabled ? "" : " (unavailable)") + "\n";
                } else if (c.IsButton(BS_AUTORADIOBUTTON)) {
                    if (!radioLine.empty()) radioLine += "   ";
                    radioLine += NumberOf(numbered, c.id) + (c.checked ? "(*) " : "( ) ");
                    radioLine +=
                        c.enabled ? ShowMnemonic(c.text) : WithoutMnemonic(c.text) + " (unavailable)";
                }
                break;
            case ControlClass::Gauge:
            case ControlClass::Animation:
                break;
        }
    }
    flushRadios();
    out += std::string(static_cast<std::size_t>(width), '-') + "\n";
    std::string row;
    for (const Control* c : order) {
        if (!IsPushButton(*c)) continue;
        std::string entry = c->enabled ? NumberOf(numbered, c->id) + ShowMnemonic(c->text)
                                       : "(" + WithoutMnemonic(c->text) + ": unavailable)";
        if (c->enabled && c->IsButton(BS_DEFPUSHBUTTON)) entry += " <Enter>";
        if (!row.empty() && row.size() + 3 + entry.size() > static_cast<std::size_t>(width)) {
            out += row + "\n";
            row.clear();
        }
        row += (row.empty() ? "  " : "   ") + entry;
    }
    if (!row.empty()) out += row + "\n";
    out += "Choice (? for help): ";
    terminal_.Write(out);
}

void TextUi::Press(Dialog& dialog, int id) {
    transcript_.Line(PressLine(dialog, id));
    dialog.Command(id);
}

void TextUi::EditField(Dialog& dialog, int id, const std::string& text) {
    dialog.UserEdit(id, text);
    transcript_.Line(EditLine(id, dialog.GetDlgItemText(id)));
}

bool TextUi::HandlePageInput(Dialog& dialog, const std::string& typed, std::size_t& listTop, bool& redraw) {
    std::string input = Trim(typed);
    std::vector<int> numbered = Numbered(dialog);
    redraw = false;
    auto say = [&](const std::string& text) { terminal_.Write(text + "\nChoice (? for help): "); };

    if (input.empty()) {
        for (const Control& c : dialog.controls) {
            if (!c.visible || !c.IsButton(BS_DEFPUSHBUTTON)) continue;
            if (!c.enabled) break;
            Press(dialog, c.id);
            redraw = true;
            return true;
        }
        say("There is no default button here: type a letter or a number.");
        return true;
    }
    const Control* list = nullptr;
    for (const Control& c : dialog.controls)
        if (c.visible && c.cls == ControlClass::ListBox) list = &c;
    if (input == "?") {
        terminal_.Write(PageHelp(dialog, list != nullptr));
        say("");
        return true;
    }
    if (input == "+" || input == "-") {
        std::size_t page = ListPageSize();
        if (!list || list->items.size() <= page) {
            say("There is no more to see.");
            return true;
        }
        if (input == "+" && listTop + page < list->items.size()) listTop += page;
        if (input == "-") listTop = listTop > page ? listTop - page : 0;
        redraw = true;
        return true;
    }
    int field = SoleField(dialog);
    std::size_t digits = input.find_first_not_of("0123456789");
    bool numberedChoice = digits != 0 && (digits == std::string::npos || input[digits] == '=');
    if (input.size() > 1 && !numberedChoice) {
        if (const Control* named = ButtonNamed(dialog, input)) {
            if (!named->enabled) {
                say("\"" + WithoutMnemonic(named->text) + "\" is not available now.");
                return true;
            }
            Press(dialog, named->id);
            redraw = true;
            return true;
        }
        if (IsButtonWord(input)) {
            say("This page has no \"" + input + "\" button.");
            return true;
        }
        // On a page with one field, a text that is no choice is what the user wants in it (a path).
        if (field) {
            EditField(dialog, field, input);
            redraw = true;
            return true;
        }
    }
    if (input[0] >= '0' && input[0] <= '9') {
        std::string number = input.substr(0, digits);
        bool direct = digits != std::string::npos && input[digits] == '=';
        if (digits != std::string::npos && !direct) {
            say("Type a number alone, or number=text for a field.");
            return true;
        }
        std::size_t n = number.size() > 6 ? 0 : static_cast<std::size_t>(std::atoi(number.c_str()));
        if (n < 1 || n > numbered.size()) {
            say("There is no choice " + number + " on this page.");
            return true;
        }
        const Control& c = *dialog.Find(numbered[n - 1]);
        if (c.cls == ControlClass::Edit) {
            std::string text;
            if (direct) {
                text = input.substr(digits + 1);
            } else {
                terminal_.Write("New text (Enter alone keeps \"" + c.text + "\"): ");
                if (!terminal_.ReadLine(text)) return false;
                if (text.empty()) {
                    redraw = true;
                    return true;
                }
            }
            EditField(dialog, c.id, text);
        } else if (direct) {
            say("Only a field takes a text.");
            return true;
        } else if (c.IsButton(BS_AUTORADIOBUTTON)) {
            transcript_.Line(ClickLine(dialog, c.id));
            dialog.UserClickRadio(c.id);
        } else {
            Press(dialog, c.id);
        }
        redraw = true;
        return true;
    }
    if (input.size() == 1) {
        const Control* disabled = nullptr;
        for (const Control* c : DrawOrder(dialog)) {
            bool clickable = IsPushButton(*c) || c->IsButton(BS_AUTORADIOBUTTON);
            char letter = MnemonicOf(c->text);
            if (!clickable || letter == 0 || !SameLetter(letter, input[0])) continue;
            if (!c->enabled) {
                if (!disabled) disabled = c;
                continue;
            }
            if (c->IsButton(BS_AUTORADIOBUTTON)) {
                transcript_.Line(ClickLine(dialog, c->id));
                dialog.UserClickRadio(c->id);
            } else {
                Press(dialog, c->id);
            }
            redraw = true;
            return true;
        }
        if (disabled) {
            say("\"" + WithoutMnemonic(disabled->text) + "\" is not available now.");
            return true;
        }
        say("No button here has the letter \"" + input + "\".");
        return true;
    }
    say("Unknown choice \"" + input + "\".");
    return true;
}

void TextUi::LeaveAtEnd(Dialog& dialog) {
    terminal_.Write("\n(end of input)\n");
    leavingAtEnd_ = true;
    const Control* exit = dialog.Find(103);
    if (exit && exit->visible && exit->enabled && IsPushButton(*exit)) Press(dialog, 103);
    if (!dialog.Ended()) Press(dialog, IDCANCEL);
    leavingAtEnd_ = false;
    if (!dialog.Ended())
        throw TextInputEnded("the input ended and dialog " + std::to_string(dialog.TemplateId()) + " (\"" +
                             dialog.caption + "\") cannot be left with Exit or Cancel");
}

int TextUi::DialogBoxModal(HWND, Dialog& dialog) {
    dialog.SetupWindow();
    RecordDialog(transcript_, dialog);
    if (terminal_.AtEnd() && ++dialogsAfterEnd_ > kMaxDialogsAfterEnd)
        throw TextInputEnded("the input ended and dialogs keep coming (" +
                             std::to_string(kMaxDialogsAfterEnd) + " since); stopping");
    std::size_t listTop = 0;
    bool redraw = true;
    while (!dialog.Ended()) {
        if (redraw) DrawPage(dialog, listTop);
        std::string input;
        if (!terminal_.ReadLine(input) || !HandlePageInput(dialog, input, listTop, redraw)) {
            LeaveAtEnd(dialog);
            break;
        }
    }
    return dialog.Result();
}

}  // namespace platform
