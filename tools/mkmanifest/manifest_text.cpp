#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "mkmanifest/flavour.h"
#include "resources/catalogue.h"
#include "resources/catalogue_products.h"
#include "resources/catalogue_sets.h"

namespace mkmanifest {

namespace {

using catalogue::Word;

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool SameName(const std::string& a, const std::string& b) {
    return Upper(a) == Upper(b);
}

// The tag test over the flavour's words, as the setup program answers it.
class Tags {
  public:
    explicit Tags(const Flavour& f) {
        static const std::pair<const char*, Word> kFiles[] = {
            {"INSTOVRA.INI", Word::Product}, {"INST51.INI", Word::W8051}, {"INSTLPC.INI", Word::Lpc},
            {"INSTXA.INI", Word::Xa},        {"INSTST6.INI", Word::St6},  {"INSTST5.INI", Word::St5},
            {"INSTADON.INI", Word::AddOn},   {"INSTMX.INI", Word::Mx},    {"INSTXE.INI", Word::Xe}};
        for (const auto& [file, code] : f.words)
            for (const auto& [known, word] : kFiles)
                if (file == known) words_[word] = code;
    }
    bool Has(const char* tag) const {
        if (!tag) return false;
        for (const auto& row : catalogue::TagTable()) {
            if (!SameName(row.name, tag)) continue;
            auto it = words_.find(row.word);
            std::uint32_t word = it == words_.end() ? 0 : it->second;
            if (row.bit < 0 ? word != 0 : ((word >> row.bit) & 1) != 0) return true;
        }
        return false;
    }
    bool OvraFamily() const {
        return Has(catalogue::kOvra) || Has(catalogue::kOvraSt6) || Has(catalogue::kOvraPhilips) ||
               Has(catalogue::kOvraInfineon);
    }

  private:
    std::map<Word, std::uint32_t> words_;
};

enum class Source { Pe, Text, Size };
struct Item {
    std::string subdir, name;
    Source source = Source::Size;
    std::string text;      // Text: the content; Pe: the version
    std::size_t size = 0;  // Size
    std::string longName;
    bool shared = false;
};

std::string Extension(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos ? "" : Upper(name.substr(dot));
}

// Compressed images are stored under a name ending in "_"; the setup restores only these extensions.
bool Compressible(const std::string& name) {
    static const std::set<std::string> kRestored = {".DLL", ".EXE", ".LIB", ".OBJ", ".LST", ".A51", ".INC",
                                                    ".PDF", ".DCL", ".MAC", ".BAT", ".AXA", ".HLP", ".UTL",
                                                    ".CNT", ".WMC", ".AOF", ".251", ".MAP", ".XRF", ".PRJ",
                                                    ".GID", ".MXA", ".M25", ".ST6", ".MS6", ".H51", ".BMP"};
    return kRestored.count(Extension(name)) != 0;
}

Item Program(const std::string& subdir, const std::string& name, const std::string& version = "6.10.2") {
    return {subdir, name, Source::Pe, version, 0, "", false};
}
Item Sized(const std::string& subdir, const std::string& name, std::size_t size) {
    return {subdir, name, Source::Size, "", size, "", false};
}
Item Texted(const std::string& subdir, const std::string& name, const std::string& text) {
    return {subdir, name, Source::Text, text, 0, "", false};
}
// The run-time library every program of the kit loads: the one shared file, installed where shared files
// go and counted once per set that brings it.
Item Runtime() {
    Item item = Program("bin", "VxRt32.dll");
    item.shared = true;
    return item;
}

Item Header(const std::string& relative) {  // "\inc\reg52.h"
    std::string path = relative;
    while (!path.empty() && path[0] == '\\')
        path.erase(0, 1);
    auto slash = path.rfind('\\');
    std::string dir = slash == std::string::npos ? "inc" : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string guard = Upper(name);
    std::replace(guard.begin(), guard.end(), '.', '_');
    return Texted(dir, name,
                  "/* " + name + ": special function registers */\n#ifndef " + guard + "\n#define " + guard +
                      "\nsfr P0 = 0x80;\nsfr SP = 0x81;\nsfr PSW = 0xD0;\nsfr ACC = 0xE0;\n#endif\n");
}

// A manual under DOC, or at the path the catalogue gives; a long name travels as its short form.
Item Manual(const std::string& file) {
    std::string dir = "doc", name = file;
    if (auto slash = file.rfind('\\'); slash != std::string::npos) {
        dir = file.substr(0, slash);
        while (!dir.empty() && dir[0] == '\\')
            dir.erase(0, 1);
        name = file.substr(slash + 1);
    }
    Item item = Sized(dir, name, 1800);
    auto dot = name.rfind('.');
    std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    if (stem.size() > 8) {
        item.longName = name;
        item.name =
            Upper(stem.substr(0, 6)) + "~1" + (dot == std::string::npos ? "" : Upper(name.substr(dot)));
    }
    return item;
}

class SetContents {
  public:
    void Add(const std::string& set, Item item) {
        auto& items = sets_[set];
        for (const auto& have : items)
            if (SameName(have.subdir, item.subdir) && SameName(have.name, item.name)) return;
        items.push_back(std::move(item));
    }
    std::vector<Item>& Of(const std::string& set) { return sets_[set]; }

  private:
    std::map<std::string, std::vector<Item>> sets_;
};

void AddIdeSets(SetContents& c) {
    using namespace catalogue;
    c.Add(sets::kSetOvra1, Program("bin", kIdeProgram));
    // Where the recorded uninstall command names it: the root of the installation directory.
    c.Add(sets::kSetOvra1, Program(".", kUninstaller));
    c.Add(sets::kSetOvra1, Sized("help", kIdeHelp.file, 6000));
    c.Add(sets::kSetOvra1, Sized("help", kScriptHelp.file, 3500));
    c.Add(sets::kSetOvra1, Sized("bin", "Logo.bmp", 1500));
    c.Add(sets::kSetOvra1, Sized("bin", "Logo.avi", 1200));
    Item description = Texted("bin", "DESCRI~1.TXT", "The Ovra IDE of the Vexa 6.1 kit.\n");
    description.longName = "Description.txt";
    c.Add(sets::kSetOvra1, description);
    // A library whose own name is long: it travels under that name, as a version-managed file.
    c.Add(sets::kSetOvra1, Program("bin", "LongLibrary.dll"));

    for (const char* h : {"\\inc\\reg51.h", "\\inc\\reg52.h", "\\inc\\absacc.h", "\\inc\\intrins.h"})
        c.Add(sets::kSetOvra2, Header(h));
    c.Add(sets::kSetOvra2, Sized("inc", "startup.a51", 900));

    c.Add(sets::kSetOvra3, Sized("lib", "OVRA51.LIB", 4000));
    c.Add(sets::kSetOvra3, Sized("lib\\cclib", "CCLIB51.LIB", 2500));

    for (const GroupedDoc* d :
         {&kHardwareIndex, &kKeyboardReference, &kIdeManual8051, &kIdeManual8051Xa, &kGettingStarted,
          &kSt6Programming, &kSt6Debugging, &kIdeManualGeneral, &kIdeManualPart1, &kIdeManualPart2})
        c.Add(sets::kSetOvra4, Sized("doc", d->doc.file, 2000));
    c.Add(sets::kSetOvra4, Sized("examples", "HELLO.PRJ", 600));
    Item hello = Texted("examples", "HELLOW~1.C", "#include <reg51.h>\nvoid main(void) { for (;;) ; }\n");
    hello.longName = "HelloWorld.c";
    c.Add(sets::kSetOvra4, hello);

    for (const char* dll :
         {kSimulator51Dll, kLpcSimulatorDll, kSimulatorMxDll, kSimulatorSxaDll, kPeripheralKitDll})
        c.Add(sets::kSetOvra5, Program("bin", dll));

    c.Add(sets::kSetVersion, Texted(".", "VERSIONS.TXT", "Vexa 6.1: Ovra 6.10.2\n"));
    c.Add(sets::kSetDebug, Program("bin", "OvraDbg.dll"));
    c.Add(sets::kSetOvra1, Runtime());
    c.Add(sets::kSetDebug, Runtime());
}

void AddFamily(SetContents& c, const catalogue::FamilyRow& row) {
    using namespace catalogue;
    std::vector<std::string> spread;
    for (const char* s : row.fileSets)
        if (!row.manualSet || std::string(s) != row.manualSet) spread.push_back(s);
    if (spread.empty()) return;  // nothing of this row travels on the media
    std::vector<Item> items;
    if (*row.targetDll) items.push_back(Program("bin", row.targetDll));
    for (const char* tool : row.tools)
        if (const ToolEntry* t = FindTool(tool)) items.push_back(Program("bin", t->dll));
    for (auto devices : {row.simulators, row.emulators})
        for (const DeviceEntry& d : devices) {
            items.push_back(Program("bin", d.dll));
            if (*d.driverDll) items.push_back(Program("bin", d.driverDll));
            if (*d.confDll) items.push_back(Program("bin", d.confDll));
            if (*d.incFile) items.push_back(Header(d.incFile));
        }
    for (const ExternalTool& t : row.externalTools)
        items.push_back(Program("bin", t.program));
    for (const DocEntry& h : row.helps)
        items.push_back(Sized("help", h.file, 2500));
    // The IDE's fifth set is not part of the LPC and ST6 kits: those families bring their simulators.
    if (row.tag == std::string(kSt6Tools)) {
        items.push_back(Program("bin", kSt6SimulatorDll));
        items.push_back(Program("bin", kSt6StarterKitDll));
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        c.Add(spread[i % spread.size()], items[i]);
    c.Add(spread.front(), Runtime());
    for (std::size_t i = 0; i < row.manuals.size(); ++i)
        c.Add(row.manualSet ? row.manualSet : spread[i % spread.size()], Manual(row.manuals[i].file));
}

void AddSharedSets(SetContents& c) {
    using namespace catalogue::sets;
    for (const char* h : {"\\inc\\reg51.h", "\\inc\\reg52.h", "\\inc\\regxag3.h", "\\inc\\absacc.h"})
        c.Add(kSetHeaders, Header(h));
    c.Add(kSetSamples, Sized("samples", "BLINKY.PRJ", 500));
    c.Add(kSetSamples,
          Texted("samples", "BLINKY.C", "#include <reg51.h>\nvoid main(void) { for (;;) P0 = ~P0; }\n"));
    Item longSample = Texted("samples", "SERIAL~1.C", "/* serial line echo */\nvoid main(void) {}\n");
    longSample.longName = "SerialEcho.c";
    c.Add(kSetSamples, longSample);
}

// Every set the media check asks for under this flavour, then the rest of what the installers name.
std::vector<std::string> NeededSets(const Flavour& f, const Tags& tags) {
    std::vector<std::string> out;
    auto add = [&](const std::string& s) {
        if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
    };
    for (const auto& row : catalogue::MediaCheckRows()) {
        bool applies = row.tag ? tags.Has(row.tag) || tags.Has(row.alternativeTag) : tags.OvraFamily();
        if (!applies) continue;
        for (const auto& s : row.sets) {
            if (s.onlyWithTag && !tags.Has(s.onlyWithTag)) continue;
            if (tags.Has(s.unlessTag) || tags.Has(s.unlessOtherTag)) continue;
            add(s.name);
        }
    }
    for (const auto& row : catalogue::FamilyRows())
        if (tags.Has(row.tag))
            for (const char* s : row.fileSets)
                add(s);
    if (f.patchWord != 0) add(f.patchSet);
    return out;
}

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\n')
            out += "\\n";
        else if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out + "\"";
}

std::string HexWord(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", v);
    return buf;
}

// HF.csv: two heading lines, then comma-separated rows (column 0 name, 1 company, 3 header, 9 family,
// 17 internal RAM, 22 generic, 25 model reference, 27 simulator DLL, 28 hidden, 29 model file, 30 flags).
std::string DerivativeList() {
    struct Row {
        const char* name;
        const char* company;
        const char* header;
        const char* family;
        const char* ram;
        const char* generic;
        const char* ref;
        const char* dll;
        const char* flags;
    };
    static const Row kRows[] = {
        {"80C51", "Generic", "reg51.h", "80C51", "128", "8xC51", "_51_0", "", "3F"},
        {"80C52", "Generic", "reg52.h", "80C51", "256", "8xC52", "_52_0", "", "3F"},
        {"P87C51FA", "Philips", "regfa.h", "80C51", "256", "8xC52", "_1052_0", "", "21"},
        {"P89C51RD2", "Philips", "reg51rd2.h", "80C51", "1024", "8xC52", "_1052_3", "", "21"},
        {"P87C591", "Philips", "reg591.h", "80C51", "512", "8xC52", "_591_0", "", "1"},
        {"SAB C501", "Infineon", "regc501.h", "80C51", "256", "8xC52", "_501_0", "", "2"},
        {"SAB C515C", "Infineon", "regc515c.h", "80C51", "2304", "8xC52", "_515_2", "", "2"},
        {"AT89C52", "Atmel", "at89c52.h", "80C51", "256", "8xC52", "_52_0", "", "8"},
        {"DS80C320", "Dallas", "ds80c320.h", "80C51", "256", "8xC52", "_320_0", "", "10"},
        {"80C251SB", "Intel", "reg251s.h", "80C251", "1024", "251SB", "_251_0", "", "4"},
    };
    std::string out = "Derivative list of the 8051 family,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\n";
    out +=
        "Name,Company,Description,Header,,,,,,Family,,,,,,,,IntRAM,,,,,Generic,,,MicroRef,,DllName,"
        "Hidden,MicroDef,Flags\n";
    for (const Row& r : kRows) {
        std::vector<std::string> col(31);
        col[0] = r.name;
        col[1] = r.company;
        col[2] = std::string(r.name) + " microcontroller";
        col[3] = std::string("..\\inc\\") + r.header;
        col[9] = r.family;
        col[17] = std::string(r.ram) + "\\bytes";
        col[22] = r.generic;
        col[25] = r.ref;
        col[27] = r.dll;
        col[28] = "No";
        col[30] = r.flags;
        for (std::size_t i = 0; i < col.size(); ++i)
            out += (i ? "," : "") + col[i];
        out += "\n";
    }
    return out;
}

// The family build file of a component: the same substring rules the build record follows.
std::string BuildSuffix(const std::string& name, bool tableA) {
    for (const char* xa : catalogue::XaFileUtilities())
        if (tableA && SameName(name, xa)) return "XA";
    static const std::pair<const char*, const char*> kRules[] = {
        {"51", "51"},  {"XA", "XA"}, {"ST6", "ST6"}, {"ST5", "ST5"}, {"STC", "STC"},
        {"MC", "MIC"}, {"MX", "MX"}, {"XE", "XE"},   {"UTL", "UTL"}};
    for (const auto& [needle, suffix] : kRules)
        if (name.find(needle) != std::string::npos) return suffix;
    return "";
}

void WriteBuildFiles(std::ostringstream& out, const Flavour& f, const Tags& tags) {
    out << "\n# The build number and date, and the version of every component the media carries.\n";
    out << "ini BUILD.INI BuildNumber BN=" << f.buildNumber << " DATE=" << f.buildDate << "\n";
    if (tags.OvraFamily())
        out << "ini BUILD.INI Miscellaneous TARGET=80C51 LOGOAVI=Logo.avi LOGOBMP=Logo.bmp\n";
    // Which build files travel with which flavour: a kit carries them all.
    auto carried = [&](const std::string& suffix) {
        if (tags.OvraFamily() || suffix.empty()) return true;
        if (suffix == "51") return tags.Has(catalogue::k8051Tools) || tags.Has(catalogue::kCompressor51);
        if (suffix == "XA") return tags.Has(catalogue::kXaTools);
        if (suffix == "MX") return tags.Has(catalogue::kMxTools);
        if (suffix == "XE") return tags.Has(catalogue::kXeTools);
        if (suffix == "UTL") return tags.Has(catalogue::kAddOnTools);
        return false;
    };
    std::map<std::string, std::vector<std::string>> files;
    auto add = [&](const char* name, bool tableA) {
        std::string suffix = BuildSuffix(name, tableA);
        if (carried(suffix)) files[suffix].push_back(name);
    };
    for (const char* n : catalogue::BuildComponentsTools())
        add(n, true);
    for (const char* n : catalogue::BuildComponentsUtilities())
        add(n, false);
    for (const char* n : catalogue::BuildComponentsProducts())
        add(n, false);
    for (const auto& [suffix, names] : files)
        for (const auto& name : names) {
            std::string version = name == "OVRA" ? "6.10.2" : f.toolVersion;
            out << "ini BUILD" << suffix << ".INI " << name << " VERSION=" << version << "\n";
        }
}

void WriteSet(std::ostringstream& out, const std::string& set, std::vector<Item> items, bool release,
              int index) {
    out << "\nset " << set;
    // A tool release keeps some sets at the root and the others in a folder of their own.
    if (release) out << (index % 2 ? " lang=root folder" : " lang=root");
    out << "\n";
    std::set<std::string> dirs;
    for (const auto& item : items) {
        if (item.subdir == ".") continue;
        std::string dir;
        std::stringstream parts(item.subdir);
        std::string part;
        while (std::getline(parts, part, '\\')) {
            dir += (dir.empty() ? "" : "\\") + Upper(part);
            if (dirs.insert(dir).second) out << "  md " << dir << "\n";
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        out << "  file " << it.subdir << " " << it.name << " ";
        switch (it.source) {
            case Source::Pe:
                out << "pe=" << it.text;
                break;
            case Source::Text:
                out << "text=" << Quote(it.text);
                break;
            case Source::Size:
                out << "size=" << it.size;
                break;
        }
        out << " gauge=" << (i + 1) * 100 / items.size();
        if (!it.longName.empty()) out << " long=" << it.longName;
        if (!Compressible(it.name)) out << " plain";
        if (it.source == Source::Pe) out << " VERSION";
        if (it.shared) out << " SHARED";
        out << "\n";
    }
    if (set == catalogue::sets::kSetVersion)
        out << "  regentrywithpath Path Ovra BIN\n  regentry Version Ovra 6.10\n";
    out << "end\n";
}

}  // namespace

std::string ManifestText(const Flavour& f) {
    Tags tags(f);
    std::ostringstream out;
    out << "# " << f.title
        << "\n# Generated by mkmanifest from the catalogue: the file sets and the names in\n"
        << "# them are those the media check and the family installers ask for.\n\n";
    for (const auto& [file, code] : f.words) {
        out << "ini " << file << " INSTALL CODE=" << HexWord(code);
        if (file == "INSTADON.INI" && !f.addonVersion.empty()) out << " ADDON=" << f.addonVersion;
        out << "\n";
    }
    if (f.patchWord != 0)
        out << "ini PATCH.INI INSTALL PATCH=" << HexWord(f.patchWord) << " BN=" << f.patchFits
            << " DISK=" << f.patchSet << " " << Quote("Desc=" + f.patchDesc) << " Dir=" << Quote(f.patchDir)
            << "\n";
    out << "avi INSTALL.AVI\n";
    out << "text license.txt "
        << Quote("KESTRAVION SOFTWARE LICENCE AGREEMENT (sample media " + f.name +
                 ")\n\nYou may install and use this sample kit for testing the setup program.\n")
        << "\n";
    out << "text readme.txt " << Quote("Vexa 6.1 sample media: " + f.name + "\n\n" + f.title + "\n") << "\n";
    out << "text HF.csv " << Quote(DerivativeList()) << "\n";
    WriteBuildFiles(out, f, tags);

    SetContents contents;
    if (tags.OvraFamily()) AddIdeSets(contents);
    contents.Add(catalogue::sets::kSetVersion,
                 Texted(".", "VERSIONS.TXT", "Vexa 6.1: " + f.name + " " + f.buildNumber + "\n"));
    AddSharedSets(contents);
    for (const auto& row : catalogue::FamilyRows())
        if (tags.Has(row.tag)) AddFamily(contents, row);
    if (f.patchWord != 0) {
        contents.Add(f.patchSet,
                     Program("bin", catalogue::kIdeProgram, f.buildNumber == "B101" ? "6.10.3" : "6.10.4"));
        contents.Add(f.patchSet, Texted("bin", "PATCH.TXT", f.patchDesc + " (" + f.buildNumber + ")\n"));
        // A library known by its short name alone.
        contents.Add(f.patchSet,
                     Program("bin", "LONGNA~1.DLL", f.buildNumber == "B101" ? "6.10.3" : "6.10.4"));
    }

    const bool release = tags.Has(catalogue::kRelease);
    int index = 0;
    for (const auto& set : NeededSets(f, tags)) {
        auto& items = contents.Of(set);
        if (items.empty()) items.push_back(Texted(".", Upper(set) + ".TXT", set + "\n"));
        WriteSet(out, set, items, release, index++);
    }
    return out.str();
}

}  // namespace mkmanifest
