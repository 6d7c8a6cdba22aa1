// The answers file of an unattended run: one "key=value" a line, "#" starts a comment.
//
//   destination=C:\Kit            the installation directory typed on the destination page
//   name=Ada Lovelace             user name and company on the user-information page
//   company=Analytical Engines
//   language=English              English or French on the setup-type page; a list (French,keep) gives
//                                 one word a visit, "keep" leaving the choice as shown
//   answer.1071=cancel            the button for message box 1071: ok, cancel, yes, no, retry, abort, ignore
//   browse=C:\Other               the folder the folder browser returns (empty: the browser is cancelled)
//   source=D:\                    the location typed at the prompt for missing setup files (cancel: none)
//   press.7=back,next             the button pressed on each visit of page 7 (then the forward one): ok,
//                                 cancel, back, next, accept, finish, exit, decline, help, skip, browse,
//                                 or a control id
//
// The file is UTF-8 (a leading byte order mark is skipped); the values are converted to the ANSI code
// page, Windows-1252, as the terminal front end converts what is typed, and a character that code page
// lacks is an error. Keys are matched without regard to case; unknown keys are kept for the pages that
// ask for them.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform {

class Answers {
  public:
    // Parses the text of an answers file; false (with `error` set) for a line that is not key=value, an
    // answer or press that names no button, or a value that is not UTF-8 or has a character without a
    // Windows-1252 byte.
    bool Parse(const std::string& text, std::string& error);
    std::optional<std::string> Get(const std::string& key) const;
    // The button scripted for a message box id (IDOK ...), if any.
    std::optional<int> AnswerFor(int messageId) const;

  private:
    std::map<std::string, std::string> values_;  // keys lower-cased
};

// "ok" -> IDOK, ... ; 0 for a word that names no button.
int ParseAnswerWord(const std::string& word);
// A page command of a press list: "back" -> 101, ..., "77" -> 77; 0 for a word that names no button.
int ParseCommandWord(const std::string& word);

}  // namespace platform
