#include "uninstall/uninstall_messages.h"

#include <string_view>

#include "resources/messages.h"

namespace uninstall {

namespace {

struct Row {
    Text text;
    std::string_view english;
    std::string_view french;  // UTF-8 here, Windows-1252 when shown
};

// clang-format off
constexpr Row kRows[] = {
    {Text::Caption, "Vexa 6.1 Uninstall", "Désinstallation de Vexa 6.1"},
    {Text::Confirm, "Are you sure you want to remove Vexa 6.1, installed in %s, and all of its components?",
     "Voulez-vous vraiment supprimer Vexa 6.1, installé dans %s, et tous ses composants ?"},
    {Text::LogUnreadable, "The uninstall log %s cannot be read.\nNothing was removed.",
     "Le fichier de désinstallation %s ne peut pas être lu.\nRien n'a été supprimé."},
    {Text::LogForeign, "%s is not an uninstall log of Vexa 6.1.\nNothing was removed.",
     "%s n'est pas un fichier de désinstallation de Vexa 6.1.\nRien n'a été supprimé."},
    {Text::BadInstallDir, "%s cannot be the installation directory of Vexa 6.1.\nNothing was removed.",
     "%s ne peut pas être le répertoire d'installation de Vexa 6.1.\nRien n'a été supprimé."},
    {Text::RefusedLines, "These lines of the uninstall log are not followed:\n%s",
     "Ces lignes du fichier de désinstallation ne sont pas suivies :\n%s"},
    {Text::SharedFile, "The shared file %s is no longer used by any program.\nDo you want to remove it?",
     "Le fichier partagé %s n'est plus utilisé par aucun programme.\nVoulez-vous le supprimer ?"},
    {Text::OtherInstallation, "The settings of Vexa 6.1 belong to the installation in %s; they are kept.",
     "Les paramètres de Vexa 6.1 appartiennent à l'installation de %s ; ils sont conservés."},
    {Text::Done, "Vexa 6.1 was removed from your computer.", "Vexa 6.1 a été supprimé de votre ordinateur."},
    {Text::DoneExcept, "Vexa 6.1 was removed from your computer, except:\n%s",
     "Vexa 6.1 a été supprimé de votre ordinateur, sauf :\n%s"},
    {Text::ReasonOutside, "outside the installation directory", "hors du répertoire d'installation"},
    {Text::ReasonNotPlain, "not a plain path", "chemin non valable"},
    {Text::ReasonNotUnderstood, "not understood", "incompréhensible"},
    {Text::ReasonBeforeHeader, "before the first header", "avant le premier en-tête"},
    {Text::ReasonDamaged, "damaged", "endommagée"},
    {Text::ReasonTruncated, "cut short", "tronquée"},
    {Text::ReasonInUse, "in use by another program", "utilisé par un autre programme"},
    {Text::ReasonDenied, "access denied", "accès refusé"},
    {Text::ReasonNotEmpty, "holds files that were not installed", "contient des fichiers non installés"},
    {Text::ReasonFailed, "could not be removed", "n'a pas pu être supprimé"},
    {Text::ReasonRemovedAtRestart, "removed when Windows restarts", "supprimé au redémarrage de Windows"},
    {Text::ReasonChanged, "changed since it was installed", "modifié depuis son installation"},
    {Text::ChangedFile, "%s was changed after it was installed.\nDo you want to remove it?",
     "%s a été modifié après son installation.\nVoulez-vous le supprimer ?"},
    {Text::More, "... and %d more", "... et %d autres"},
};
// clang-format on

}  // namespace

std::string Message(Text text, bool french) {
    for (const Row& row : kRows)
        if (row.text == text) return resources::Utf8ToCp1252(french ? row.french : row.english);
    return "";
}

}  // namespace uninstall
