// The answers file of an unattended run: one "key=value" a line, "#" starts a comment.
//
//   destination=C:\Kit            the installation directory typed on the destination page
//   name=Ada Lovelace             user name and company on the user-information page
//   company=Analytical Engines
//   language=English              English or French on the setup-type page; a list (French,keep) gives
//                                 one word a visit, "keep" leaving the choice as shown
//   answer.1071=cancel            the button for message box 1071: ok, cancel, yes, no, retry, abort, ignore
//   browse=C:\Other               the folder the folder browser returns (empty: the browser is cancelled)
//
// Keys are matched without regard to case; unknown keys are kept for the pages that ask for them.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform {

class Answers {
  public:
    // Parses the text of an answers file; false (with `error` set) for a line that is not key=value or an
    // answer that names no button.
    bool Parse(const std::string& text, std::string& error);
    std::optional<std::string> Get(const std::string& key) const;
    // The button scripted for a message box id (IDOK ...), if any.
    std::optional<int> AnswerFor(int messageId) const;

  private:
    std::map<std::string, std::string> values_;  // keys lower-cased
};

// "ok" -> IDOK, ... ; 0 for a word that names no button.
int ParseAnswerWord(const std::string& word);

}  // namespace platform
