#include "resources/catalogue_help.h"

#include <cctype>

namespace catalogue {

namespace {

struct HelpRow {
    unsigned context;
    HelpTopic english;
    HelpTopic french;
};

// Texts in code page 1252: \xE9 is e acute, \xE8 e grave, \xE0 a grave, \xEA e circumflex, \xE7 c cedilla.
constexpr HelpRow kTopics[] = {
    {1,
     {"Welcome",
      "Welcome to the Vexa 6.1 setup.\n\nThis page says what this distribution installs. Press Next to read "
      "the licence agreement, or Exit to leave the setup without installing anything."},
     {"Bienvenue",
      "Bienvenue dans l'installation de Vexa 6.1.\n\nCette page indique ce que cette distribution installe. "
      "Appuyez sur Suivant pour lire le contrat de licence, ou sur Quitter pour sortir sans rien "
      "installer."}},
    {2,
     {"Readme information",
      "The readme file holds the latest notes on this release.\n\nPress Readme to open it in a window of its "
      "own; it stays open while the setup goes on. Press Next to continue."},
     {"Informations de lecture",
      "Le fichier readme contient les derni\xE8res notes sur cette version.\n\nAppuyez sur Readme pour "
      "l'ouvrir dans une fen\xEAtre; elle reste ouverte pendant l'installation. Appuyez sur Suivant pour "
      "continuer."}},
    {4,
     {"Type of setup and language",
      "Complete installs every part of the kit. Custom installs the parts this distribution selects.\n\n"
      "The language chooses the tool chains' documentation and messages: English or French."},
     {"Type d'installation et langue",
      "Compl\xE8te installe toutes les parties du kit. Personnalis\xE9\x65 installe les parties choisies par "
      "cette distribution.\n\nLa langue choisit la documentation et les messages des outils: anglais ou "
      "fran\xE7\x61is."}},
    {6,
     {"User information",
      "Type your name and the name of your company. Both are recorded with the installation and shown by "
      "the IDE. Neither may be left empty."},
     {"Informations utilisateur",
      "Tapez votre nom et le nom de votre soci\xE9t\xE9. Les deux sont enregistr\xE9s avec l'installation et "
      "affich\xE9s par l'IDE. Aucun ne peut rester vide."}},
    {7,
     {"Destination location",
      "Type the directory the kit is installed into, with its drive, for example C:\\OVRA, or press Browse "
      "to choose a folder. The directory is created when it does not exist. A directory name that cannot "
      "be used is refused with \"Invalid input\"."},
     {"R\xE9pertoire d'installation",
      "Tapez le r\xE9pertoire o\xF9 le kit est install\xE9, avec son lecteur, par exemple C:\\OVRA, ou "
      "appuyez "
      "sur Parcourir pour choisir un dossier. Le r\xE9pertoire est cr\xE9\xE9 s'il n'existe pas. Un nom qui "
      "ne peut pas servir est refus\xE9 par \"Entr\xE9\x65 invalide\"."}},
    {8,
     {"Setup settings",
      "These are the settings the setup will use: your name and company, the target directory, the space "
      "available on its drive and the space the kit needs. Press Back to change them, or Next to start "
      "copying the files."},
     {"Param\xE8tres d'installation",
      "Voici les param\xE8tres qui seront utilis\xE9s: votre nom et votre soci\xE9t\xE9, le r\xE9pertoire "
      "cible, l'espace libre sur son lecteur et l'espace n\xE9\x63\x65ssaire. Appuyez sur "
      "Pr\xE9\x63\xE9\x64\x65nt "
      "pour les changer, ou sur Suivant pour copier les fichiers."}},
};

}  // namespace

std::optional<HelpTopic> FindHelpTopic(unsigned context, bool french) {
    for (const HelpRow& row : kTopics)
        if (row.context == context) return french ? row.french : row.english;
    return std::nullopt;
}

bool IsFrenchHelpFile(const std::string& helpFile) {
    std::size_t slash = helpFile.find_last_of("\\/:");
    std::string name = helpFile.substr(slash == std::string::npos ? 0 : slash + 1);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name == "INSTFR.HLP";
}

}  // namespace catalogue
