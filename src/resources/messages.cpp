#include "resources/messages.h"

#include <algorithm>
#include <vector>

namespace resources {

namespace {

// One row per English id with its French partner, so that neither half can lose an entry unnoticed.
// The French texts are written in UTF-8 here and stored as Windows-1252 bytes by BuildTable.
struct MessageRow {
    unsigned id;
    const char* english;
    const char* french;
};

// clang-format off
constexpr MessageRow kRows[] = {
    // Captions, titles and start-up.
    {1061, "Vexa 6.1 Installation Program", "Programme d'installation de Vexa 6.1"},
    {1064, "Kestravion Vexa 6.1\nDevelopment Suite", "Kestravion Vexa 6.1\nSuite de développement"},
    {1097, "Vexa 6.1\nDevelopment Suite Release", "Vexa 6.1\nMise à jour de la suite de développement"},
    {1300, "Kestravion Vexa 6.1\nDevelopment Suite for LPC", "Kestravion Vexa 6.1\nSuite de développement pour LPC"},
    {1301, "Vexa 6.1\nDevelopment Suite Release for LPC",
           "Vexa 6.1\nMise à jour de la suite de développement pour LPC"},
    {1065, "Vexa 6.1 needs Windows95, Windows98 or Windows NT.",
           "Vexa 6.1 nécessite Windows95, Windows98 ou Windows NT."},
    {1247, "You must have Administrator permissions to install this software",
           "Vous devez disposer des droits d'administrateur pour installer ce logiciel"},
    {1095, "The setup could not find OVRA.EXE.\nPlease install Vexa before continuing.",
           "Le programme d'installation n'a pas trouvé OVRA.EXE.\nVeuillez installer Vexa avant de continuer."},
    {1096, "Version conflict!\nPlease Update Vexa first before installing this software!",
           "Conflit de versions !\nVeuillez d'abord mettre à jour Vexa avant d'installer ce logiciel !"},
    {1104, "Some install files are missing. Please check that you unzipped all the executable files.",
           "Des fichiers d'installation sont manquants. Vérifiez que vous avez décompressé tous les fichiers "
           "exécutables."},
    {1063, "The setup process is not complete.\nVexa 6.1 is not installed correctly.",
           "L'installation n'est pas terminée.\nVexa 6.1 n'est pas installé correctement."},
    {1076, "Unable to create the new directory!", "Impossible de créer le nouveau répertoire !"},
    {1087, "Vexa 6.1 needs 'ACROBAT Reader' to view PDF files.\nSetup can be found on https://get.adobe.com/reader/ .",
           "Vexa 6.1 a besoin de 'ACROBAT Reader' pour afficher les fichiers PDF.\n"
           "Son programme d'installation se trouve sur https://get.adobe.com/reader/ ."},

    // Navigation buttons.
    {1026, "&Back", "&Précédent"},
    {1027, "&Next", "&Suivant"},
    {1028, "&Exit", "&Quitter"},
    {1213, "&Help", "&Aide"},
    {1062, "Invalid input", "Entrée invalide"},

    // Presentation page.
    {1031, "Presentation", "Présentation"},
    {1001, "This program will install OVRA and its tools components for the 80C51, XA and ST6 families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA et ST6."},
    {1002, "This version requires about 32 MB of disk space.",
           "Cette version nécessite environ 32 Mo d'espace disque."},
    {1004, "Make sure that any other application is closed before proceeding.",
           "Assurez-vous que toutes les autres applications sont fermées avant de continuer."},
    {1005, "This program will install OVRA and its tools components for the ST6 family.",
           "Ce programme va installer OVRA et ses outils pour la famille ST6."},
    {1006, "This version requires about 8 MB of disk space.",
           "Cette version nécessite environ 8 Mo d'espace disque."},
    {1008, "Make sure that any other application is closed before proceeding.",
           "Assurez-vous que toutes les autres applications sont fermées avant de continuer."},
    {1010, "This program will install OVRA tool components.", "Ce programme va installer des outils OVRA."},
    {1011, "Make sure that any other application is closed before proceeding.",
           "Assurez-vous que toutes les autres applications sont fermées avant de continuer."},
    {1085, "This program will install OVRA and its tools components for the 80C51 and XA families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51 et XA."},
    {1094, "This program will install Ovra and its tools components for the 80C51, XA, ST6 and STARC families.",
           "Ce programme va installer Ovra et ses outils pour les familles 80C51, XA, ST6 et STARC."},
    {1098, "This program will install OVRA tool release.",
           "Ce programme va installer une mise à jour des outils OVRA."},
    {1099, "This program will install ST6 tool release.",
           "Ce programme va installer une mise à jour des outils ST6."},
    {1100, "This program will install 80C51 tool release.",
           "Ce programme va installer une mise à jour des outils 80C51."},
    {1101, "This program will install XA tool release.",
           "Ce programme va installer une mise à jour des outils XA."},
    {1102, "This program will install OVRA and its tools components for the 80C51, XA and SmartXA families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA et SmartXA."},
    {1103, "This program will install OVRA and its tools components for the 80C51 family.",
           "Ce programme va installer OVRA et ses outils pour la famille 80C51."},
    {1105, "This program will install OVRA and its tools components for the STARC.",
           "Ce programme va installer OVRA et ses outils pour le STARC."},
    {1210, "This program will install OVRA and its tools components for the MICROCRYPT.",
           "Ce programme va installer OVRA et ses outils pour le MICROCRYPT."},
    {1217, "This program will install OVRA and its tools components for the 80C51, XA and SmartXA2 families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA et SmartXA2."},
    {1218, "This program will install OVRA and its tools components for the 80C51, XA and SmartXA2 families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA et SmartXA2."},
    {1219, "This program will install OVRA and its tools components for the 80C51, XA, SmartXA and SmartXA2 "
           "families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA, SmartXA et SmartXA2."},
    {1220, "This program will install OVRA and its tools components for the 80C51, XA, SmartXA and SmartXA2 "
           "families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA, SmartXA et SmartXA2."},
    {1221, "This program will install OVRA and its tools components for the 80C51, XA, SmartXA2 families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA, SmartXA2."},
    {1222, "This program will install OVRA and its tools components for the 80C51, XA, SmartXA, SmartXA2 "
           "families.",
           "Ce programme va installer OVRA et ses outils pour les familles 80C51, XA, SmartXA, SmartXA2."},
    {1223, "This program will install Ovra and its tools components for the Mifare ProX family.",
           "Ce programme va installer Ovra et ses outils pour la famille Mifare ProX."},
    {1224, "This program will install OVRA and its tools components for the STARC 2.",
           "Ce programme va installer OVRA et ses outils pour le STARC 2."},
    {1225, "This program will install Ovra and its tools components for the 80C51, XA, ST6 and STARC 2 families.",
           "Ce programme va installer Ovra et ses outils pour les familles 80C51, XA, ST6 et STARC 2."},
    {1226, "This program will install OVRA and its tools components for the STARC and STARC 2.",
           "Ce programme va installer OVRA et ses outils pour le STARC et le STARC 2."},
    {1227, "This program will install Ovra and its tools components for the 80C51, XA, ST6, STARC and STARC 2 "
           "families.",
           "Ce programme va installer Ovra et ses outils pour les familles 80C51, XA, ST6, STARC et STARC 2."},
    {1232, "This program will install OVRA and its tools components for the XA family.",
           "Ce programme va installer OVRA et ses outils pour la famille XA."},
    {1233, "This program will install \"%s\" for Vexa %s.", "Ce programme va installer « %s » pour Vexa %s."},
    {1235, "This program will install OVRA and its tools components for XE8000.",
           "Ce programme va installer OVRA et ses outils pour le XE8000."},
    {1237, "The files will be installed in \"%s\" directory.",
           "Les fichiers seront installés dans le répertoire « %s »."},
    {1255, "This program will install OVRA and its tools components for the ST5 family.",
           "Ce programme va installer OVRA et ses outils pour la famille ST5."},
    {1256, "This version requires about 14 MB of disk space.",
           "Cette version nécessite environ 14 Mo d'espace disque."},
    {1258, "Make sure that any other application is closed before proceeding.",
           "Assurez-vous que toutes les autres applications sont fermées avant de continuer."},
    {1302, "This program will install OVRA and its tools components for the 80C51 LPC family.",
           "Ce programme va installer OVRA et ses outils pour la famille 80C51 LPC."},

    // Licence agreement and readme pages.
    {1229, "End-User License Agreement", "Contrat de licence utilisateur final"},
    {1230, "I &accept", "J'&accepte"},
    {1231, "I &do not accept", "Je n'accepte &pas"},
    {1032, "Readme information", "Informations"},
    {1021, "The README.TXT file contains important information about the Setup process.",
           "Le fichier README.TXT contient des informations importantes sur l'installation."},
    {1022, "The READMEWE.TXT file contains important information about the Setup process.",
           "Le fichier READMEWE.TXT contient des informations importantes sur l'installation."},
    {1023, "To view this file now choose \"Next\". To view it later choose \"Skip\"",
           "Pour afficher ce fichier maintenant, choisissez « Suivant ». Pour l'afficher plus tard, choisissez "
           "« Ignorer »."},
    {1024, "For the product updates and technical information please investigate the following World Wide Web "
           "site:",
           "Pour les mises à jour du produit et les informations techniques, consultez le site Web suivant :"},
    {1025, "To get support or more information you can send an email to one of the following addresses:",
           "Pour obtenir de l'aide ou plus d'informations, vous pouvez envoyer un courriel à l'une des adresses "
           "suivantes :"},
    {1029, "&Skip", "&Ignorer"},
    {1081, "To view the readme.txt file, your CD-ROM drive must be a local drive.",
           "Pour afficher le fichier readme.txt, votre lecteur de CD-ROM doit être un lecteur local."},

    // Destination pages.
    {1033, "Destination location", "Répertoire destination"},
    {1013, "Setup will install Vexa 6.1 in the following directory.",
           "Le programme d'installation va installer Vexa 6.1 dans le répertoire suivant."},
    {1014, "Setup will install the tool in the following directory.",
           "Le programme d'installation va installer l'outil dans le répertoire suivant."},
    {1015, "To install in this directory choose 'Next'.", "Pour installer dans ce répertoire, choisissez 'Suivant'."},
    {1016, "To install in this directory choose 'Next'.", "Pour installer dans ce répertoire, choisissez 'Suivant'."},
    {1017, "To choose another directory, type the complete path below.",
           "Pour choisir un autre répertoire, tapez son chemin complet ci-dessous."},
    {1018, "To choose another directory, type the complete path below.",
           "Pour choisir un autre répertoire, tapez son chemin complet ci-dessous."},
    {1019, "Destination directory", "Répertoire de destination"},
    {1020, "Destination directory", "Répertoire de destination"},
    {1248, "To choose the destination directory, type the complete path below.\nNOTE:   You must use an 8.3 "
           "formatted path here.",
           "Pour choisir le répertoire de destination, tapez son chemin complet ci-dessous.\nREMARQUE :   vous "
           "devez utiliser ici un chemin au format 8.3."},
    {1060, "Setup path", "Fichiers d'installation"},

    // Setup type, user information, summary and finish pages.
    {1034, "Type of setup", "Type d'installation"},
    {1090, "Type of setup", "Type d'installation"},
    {1036, "&Custom", "&Personnalisée"},
    {1037, "C&omplete", "&Complète"},
    {1038, "Select the type of setup you prefer", "Choisissez le type d'installation que vous préférez"},
    {1091, "Language", "Langue"},
    {1092, "English", "Anglais"},
    {1093, "French", "Français"},
    {1039, "User information", "Informations utilisateur"},
    {1040, "Type the user name and the name of the company below:",
           "Tapez ci-dessous le nom de l'utilisateur et le nom de la société :"},
    {1041, "User Name", "Utilisateur"},
    {1042, "Company", "Société"},
    {1035, "Setup settings", "Choix d'installation"},
    {1044, "Setup will use the following settings to install Vexa 6.1",
           "Le programme d'installation utilisera les paramètres suivants pour installer Vexa 6.1"},
    {1045, "Name", "Nom"},
    {1046, "Company", "Société"},
    {1048, "Target directory", "Répertoire cible"},
    {1049, "Space available", "Espace disponible"},
    {1050, "Space required", "Espace nécessaire"},
    {1051, "User", "Utilisateur"},
    {1052, "Target", "Cible"},
    {1078, "%.0f Mbytes", "%.0f Moctets"},
    {1079, "%.0f Kbytes", "%.0f Koctets"},
    {1080, "%lu bytes", "%lu octets"},
    {1053, "Presentation", "Fin d'installation"},
    // The trailing blank is part of the text in both halves.
    {1054, "Setup has finished installing files. ", "L'installation des fichiers est terminée. "},
    {1055, "Before you can use the program you have to restart your computer.",
           "Vous devez redémarrer votre ordinateur avant de pouvoir utiliser le programme."},
    {1056, "If you want to restart now click \"Finish\" to complete Setup. If you don't want to restart now "
           "click \"Exit\".",
           "Pour redémarrer maintenant, cliquez sur « Terminer » pour achever l'installation. Si vous ne voulez "
           "pas redémarrer maintenant, cliquez sur « Quitter »."},
    {1057, "&Finish", "&Terminer"},

    // Install phase, engine and configuration.
    {1030, "&Install", "&Installer"},
    {1066, "Please insert %s disk into the following location or enter another location.",
           "Veuillez insérer le disque %s à l'emplacement suivant ou indiquer un autre emplacement."},
    {1067, "Installing %s", "Installation de %s"},
    {1068, "Making the directory :\n%s", "Création du répertoire :\n%s"},
    {1069, "Source file corrupted !\nInstallation aborted !", "Fichier source endommagé !\nInstallation interrompue !"},
    // The leading blank of the copy failures is part of the text in both halves.
    {1070, " Unable to copy files!\nThe destination disk is full or the file is currently in use by another "
           "program!",
           " Impossible de copier les fichiers !\nLe disque de destination est plein ou le fichier est utilisé "
           "par un autre programme !"},
    {1071, "%s is currently in use by another program.\nClose this program to continue the setup",
           "%s est utilisé par un autre programme.\nFermez ce programme pour poursuivre l'installation"},
    {1072, "%s to install is older than the preexisting file!\nDo you want to overwrite the file?",
           "%s à installer est plus ancien que le fichier existant !\nVoulez-vous remplacer le fichier ?"},
    {1073, " Unable to copy files!\nExpand process out of memory!",
           " Impossible de copier les fichiers !\nMémoire insuffisante pour la décompression !"},
    {1074, "The install program has found another version of %s in %s\nDo you want to overwrite it?",
           "Le programme d'installation a trouvé une autre version de %s dans %s\nVoulez-vous la remplacer ?"},
    {1075, "Copying the file :\n%s", "Copie du fichier :\n%s"},
    // The uninstall log writes its header from the program's own data; this entry is carried but unused.
    {1077, "The Uninstall program uses this file to remove Vexa 6.1 from your computer.",
           "Le programme de désinstallation utilise ce fichier pour supprimer Vexa 6.1 de votre ordinateur."},
    {1083, "A critical DDE error has occured.", "Une erreur critique DDE est survenue."},
    {1084, "Unable to create registry entries. Please, check rights.",
           "Impossible de créer les entrées du registre. Veuillez vérifier vos droits."},
    {1086, "The setup process needs to install 'STM Parallel Driver'.\nThis driver is a part of ST6-HDS2 "
           "Emulator.\nDo you want to install it now ?",
           "Le programme d'installation doit installer 'STM Parallel Driver'.\nCe pilote fait partie de "
           "l'émulateur ST6-HDS2.\nVoulez-vous l'installer maintenant ?"},
    {1089, "Unable to write Path in registry. Please check rights.",
           "Impossible d'écrire Path dans le registre. Veuillez vérifier vos droits."},
    {1236, "An other version of Vexa has been detected. Would you like to keep your previous configuration ?",
           "Une autre version de Vexa a été détectée. Voulez-vous conserver votre configuration précédente ?"},
};
// clang-format on

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int Cp1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == c) return 0x80 + i;
    }
    return -1;
}

// Decodes one UTF-8 sequence at s[i]; a malformed sequence yields U+FFFD and consumes one byte.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + length > s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += length;
    return c;
}

struct Table {
    std::vector<std::string> texts;  // owns the Windows-1252 bytes the entries point into
    std::vector<MessageEntry> entries;
};

const Table& BuiltTable() {
    static const Table table = [] {
        Table t;
        constexpr std::size_t kRowCount = sizeof(kRows) / sizeof(kRows[0]);
        t.texts.reserve(2 * kRowCount);
        for (const MessageRow& row : kRows) {
            t.texts.push_back(Utf8ToCp1252(row.english));
            t.texts.push_back(Utf8ToCp1252(row.french));
        }
        t.entries.reserve(2 * kRowCount);
        for (std::size_t r = 0; r < kRowCount; ++r) {
            t.entries.push_back({kRows[r].id, t.texts[2 * r]});
            t.entries.push_back({kRows[r].id + kFrenchLanguageOffset, t.texts[2 * r + 1]});
        }
        std::stable_sort(t.entries.begin(), t.entries.end(),
                         [](const MessageEntry& a, const MessageEntry& b) { return a.id < b.id; });
        return t;
    }();
    return table;
}

const MessageEntry* Find(std::span<const MessageEntry> table, unsigned id) {
    auto it = std::lower_bound(table.begin(), table.end(), id,
                               [](const MessageEntry& e, unsigned value) { return e.id < value; });
    if (it == table.end() || it->id != id) return nullptr;
    return &*it;
}

// String resources are addressed by a 16-bit id: LoadStringA looks up LOWORD(id), so an id pushed past
// 0xFFFF by an offset wraps around rather than failing.
unsigned StringResourceId(unsigned id) {
    return id & 0xFFFFu;
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8, bool* lossy) {
    std::string out;
    out.reserve(utf8.size());
    bool lost = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const int b = Cp1252Byte(DecodeUtf8(utf8, i));
        if (b < 0) {
            out.push_back('?');
            lost = true;
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
    if (lossy != nullptr) *lossy = lost;
    return out;
}

std::span<const MessageEntry> AllMessages() {
    return BuiltTable().entries;
}

bool HasMessage(unsigned id) {
    return Find(AllMessages(), id) != nullptr;
}

std::string LoadStringFromTable(std::span<const MessageEntry> table, unsigned id, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    const MessageEntry* entry = Find(table, StringResourceId(id));
    if (entry == nullptr) return {};
    return std::string(entry->text.substr(0, bufferSize - 1));
}

std::string LoadStringA(unsigned id) {
    return LoadStringFromTable(AllMessages(), id, kLoadStringBufferSize);
}

std::string LoadMessage(int baseId, unsigned short languageOffset) {
    return LoadStringA(static_cast<unsigned>(baseId) + languageOffset);
}

}  // namespace resources
