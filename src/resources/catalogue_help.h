// The help topics the pages' Help buttons open: one per help context, in English and in French. The
// help file's name says the language (the French file is INSTFR.HLP).
#pragma once

#include <optional>
#include <string>

namespace catalogue {

struct HelpTopic {
    const char* title;  // ANSI (code page 1252)
    const char* text;
};

// The topic of a help context, in French when `french`; nullopt for a context without a topic.
std::optional<HelpTopic> FindHelpTopic(unsigned context, bool french);
// Whether a help file path names the French help file (its name, without regard to case).
bool IsFrenchHelpFile(const std::string& helpFile);

}  // namespace catalogue
