#include "mkmedia/manifest.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "engine/install_list.h"
#include "mkmedia/avi_image.h"
#include "mkmedia/pe_image.h"
#include "mkmedia/szdd_compress.h"
#include "platform/machine/szdd.h"

namespace fs = std::filesystem;

namespace mkmedia {

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i >= line.size()) break;
        std::string word;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t' && line[i] != '\r'))) {
            char c = line[i++];
            if (c == '"') {
                quoted = !quoted;
                continue;
            }
            if (quoted && c == '\\' && i < line.size()) {
                char e = line[i++];
                switch (e) {
                    case 'n':
                        word += '\n';
                        break;
                    case 'r':
                        word += '\r';
                        break;
                    case 't':
                        word += '\t';
                        break;
                    case 'x':
                        if (i + 2 > line.size()) throw Failure("bad \\x escape");
                        word += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
                        i += 2;
                        break;
                    default:
                        word += e;
                }
                continue;
            }
            word += c;
        }
        if (quoted) throw Failure("unterminated quote");
        words.push_back(word);
    }
    return words;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
        out += c;
    }
    return out;
}

std::string HostPath(std::string mediaPath) {
    for (char& c : mediaPath)
        if (c == '\\') c = '/';
    if (mediaPath.empty() || mediaPath.front() == '/' || mediaPath.find("..") != std::string::npos)
        throw Failure("media path must stay inside the output directory: " + mediaPath);
    return mediaPath;
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

std::string ReadHost(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::optional<std::string> Option(const std::vector<std::string>& words, const std::string& key) {
    for (std::size_t i = 1; i < words.size(); ++i)
        if (words[i].rfind(key + "=", 0) == 0) return words[i].substr(key.size() + 1);
    return std::nullopt;
}

bool HasWord(const std::vector<std::string>& words, const std::string& word) {
    for (std::size_t i = 1; i < words.size(); ++i)
        if (words[i] == word) return true;
    return false;
}

std::size_t Number(const std::string& text) {
    std::size_t used = 0;
    unsigned long long v = 0;
    try {
        v = std::stoull(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty()) throw Failure("not a number: " + text);
    return static_cast<std::size_t>(v);
}

void CheckToken(const std::string& token) {
    if (token.size() > install_list::kMaxTokenChars)
        throw Failure("token longer than 79 characters: " + token);
    for (char c : token)
        if (c == ' ' || c == '\t' || c == ';')
            throw Failure("a list token cannot hold blanks or ';': " + token);
}

class Builder {
  public:
    Builder(fs::path manifestDir, fs::path outDir, std::string programsDir)
        : manifestDir_(std::move(manifestDir)),
          out_(std::move(outDir)),
          programsDir_(std::move(programsDir)) {}

    void Directive(const std::vector<std::string>& w, std::istream& rest, int& lineNumber) {
        const std::string& d = w[0];
        if (set_) {
            SetDirective(w);
            return;
        }
        auto need = [&](std::size_t n) {
            if (w.size() < n) throw Failure(d + " needs " + std::to_string(n - 1) + " arguments");
        };
        if (d == "ini") {
            need(3);
            std::string text = "[" + w[2] + "]\r\n";
            for (std::size_t i = 3; i < w.size(); ++i)
                text += w[i] + "\r\n";
            Append(w[1], text);
        } else if (d == "text") {
            need(3);
            if (w[2].rfind("<<", 0) == 0) {
                std::string end = w[2].substr(2), text;
                bool closed = false;
                for (std::string line; std::getline(rest, line);) {
                    ++lineNumber;
                    if (!line.empty() && line.back() == '\r') line.pop_back();
                    if (line == end) {
                        closed = true;
                        break;
                    }
                    text += line + "\r\n";
                }
                if (!closed) throw Failure("text " + w[1] + ": no line " + end);
                Write(w[1], text);
            } else {
                Write(w[1], WithCrLf(w[2]));
            }
        } else if (d == "copyfile") {
            need(3);
            Write(w[1], ReadHost(manifestDir_ / w[2]));
        } else if (d == "generate") {
            need(3);
            Write(w[1], GeneratedText(Number(w[2]), w[1]));
        } else if (d == "avi") {
            need(2);
            auto avi = MakeAviImage();
            Write(w[1], std::string(avi.begin(), avi.end()));
        } else if (d == "pe") {
            need(3);
            auto pe = Pe(w[1], w[2]);
            Write(w[1], std::string(pe.begin(), pe.end()));
        } else if (d == "set") {
            need(2);
            StartSet(w);
        } else {
            throw Failure("unknown directive " + d);
        }
    }

    void Finish() {
        if (set_) throw Failure("set " + set_->name + " has no end");
    }

  private:
    struct Set {
        std::string name;
        std::vector<std::string> folders;
        bool inFolder = false;
        std::vector<std::string> lines;
        std::vector<std::uint8_t> data;
    };

    void Write(const std::string& mediaPath, const std::string& content) {
        fs::path path = out_ / HostPath(mediaPath);
        fs::create_directories(path.parent_path());
        std::ofstream o(path, std::ios::binary | std::ios::trunc);
        o.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!o) throw Failure("cannot write " + path.string());
    }
    void Append(const std::string& mediaPath, const std::string& content) {
        fs::path path = out_ / HostPath(mediaPath);
        fs::create_directories(path.parent_path());
        // A file starts empty in every run, so building twice gives the same media.
        bool first = touched_.insert(path.string()).second;
        std::ofstream o(path, std::ios::binary | (first ? std::ios::trunc : std::ios::app));
        o.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!o) throw Failure("cannot write " + path.string());
    }

    std::vector<std::uint8_t> Pe(const std::string& name, const std::string& version) const {
        std::array<std::uint16_t, 4> parts;
        if (!ParseVersion(version, parts)) throw Failure("not a version: " + version);
        std::string lower;
        for (char c : name)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        bool dll = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".dll") == 0;
        bool exe = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".exe") == 0;
        if (exe && !programsDir_.empty()) {
            // A program that runs: the IDE is its own, every other program the kit's small tool.
            std::size_t slash = lower.find_last_of("/\\");
            std::string base = slash == std::string::npos ? lower : lower.substr(slash + 1);
            // The uninstaller, where the native build made it, travels as it was built: the installed
            // Start-menu item and the Uninstall entry then start the real one.
            if (base == "vexarmv.exe") {
                std::error_code ec;
                fs::path uninstaller = fs::path(programsDir_) / "VEXARMV.EXE";
                if (fs::file_size(uninstaller, ec) > 0 && !ec) {
                    std::string bytes = ReadHost(uninstaller);
                    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
                }
            }
            fs::path compiled = fs::path(programsDir_) / (base == "ovra.exe" ? "Ovra.exe" : "tool.exe");
            std::string bytes = ReadHost(compiled);
            std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
            std::string error;
            if (!SetProgramVersion(image, parts, version, false, error))
                throw Failure(compiled.string() + ": " + error);
            return image;
        }
        return MakePeImage(parts, version, dll);
    }

    void StartSet(const std::vector<std::string>& w) {
        Set set;
        set.name = w[1];
        CheckToken(set.name);
        std::string lang = Option(w, "lang").value_or("English");
        std::stringstream list(lang);
        for (std::string folder; std::getline(list, folder, ',');) {
            if (folder == "root")
                set.folders.push_back("");
            else if (folder == "English" || folder == "French")
                set.folders.push_back(folder + "/");
            else
                throw Failure("unknown language folder " + folder);
        }
        set.inFolder = HasWord(w, "folder");
        set.lines.push_back("; " + set.name + ": install list written by mkmedia");
        set_ = std::move(set);
    }

    void SetDirective(const std::vector<std::string>& w) {
        const std::string& d = w[0];
        Set& set = *set_;
        if (d == "end") {
            EndSet();
        } else if (d == "md" || d == "regentry" || d == "regentrywithpath") {
            std::string line = d;
            for (std::size_t i = 1; i < w.size(); ++i) {
                CheckToken(w[i]);
                line += " " + w[i];
            }
            set.lines.push_back(line);
        } else if (d == "line") {
            if (w.size() != 2) throw Failure("line takes one quoted text");
            set.lines.push_back(w[1]);
        } else if (d == "file") {
            File(w);
        } else {
            throw Failure("unknown directive in a set: " + d);
        }
    }

    void File(const std::vector<std::string>& w) {
        if (w.size() < 4) throw Failure("file needs SUBDIR NAME SOURCE");
        const std::string& name = w[2];
        std::string content;
        if (auto t = Option(w, "text"))
            content = *t;
        else if (auto s = Option(w, "size"))
            content = GeneratedText(Number(*s), name);
        else if (auto f = Option(w, "from"))
            content = ReadHost(manifestDir_ / *f);
        else if (auto v = Option(w, "pe")) {
            auto pe = Pe(name, *v);
            content.assign(pe.begin(), pe.end());
        } else
            throw Failure("file " + name + " has no source (text=, size=, from=, pe=)");

        install_list::CopyLineSpec entry;
        entry.subdir = w[1];
        const bool plain = HasWord(w, "plain");
        std::vector<std::uint8_t> image;
        if (plain) {
            entry.storedName = name;
            image = Bytes(content);
        } else {
            entry.storedName = install_list::CompressedStoredName(name);
            char missing = entry.storedName.size() == name.size() ? name.back() : '\0';
            image = CompressSzdd(Bytes(content), missing);
        }
        if (auto stored = Option(w, "stored")) entry.storedName = *stored;
        if (auto gauge = Option(w, "gauge")) entry.gauge = static_cast<int>(Number(*gauge));
        if (auto longName = Option(w, "long")) entry.longName = *longName;
        for (const char* flag : {"VERSION", "SHARED", "V16ONLY", "V32ONLY"})
            if (HasWord(w, flag)) entry.flags.push_back(flag);
        CheckToken(entry.storedName);
        CheckToken(entry.subdir);
        if (entry.longName) CheckToken("N\"" + *entry.longName + "\"");

        entry.length = static_cast<long>(image.size());
        entry.offset = install_list::AppendRecord(set_->data, entry.storedName, image);
        if (auto at = Option(w, "at")) entry.offset = static_cast<long>(Number(*at));
        if (auto crc = Option(w, "crc")) {
            std::size_t used = 0;
            entry.checksum = static_cast<std::uint32_t>(std::stoul(*crc, &used, 16));
            if (used != crc->size()) throw Failure("not a hexadecimal checksum: " + *crc);
        } else if (!HasWord(w, "nocrc")) {
            // Of the file as installed: an image stored compressed (also one given as it is) counts
            // expanded.
            std::vector<std::uint8_t> expanded;
            bool packed = image.size() >= 8 && platform::IsSzdd(image) &&
                          platform::ExpandSzdd(image, expanded) == platform::SzddResult::kOk;
            entry.checksum = install_list::Crc32(packed ? expanded : image);
        }
        set_->lines.push_back(install_list::FormatCopyLine(entry));
    }

    void EndSet() {
        Set& set = *set_;
        std::string list;
        for (const auto& line : set.lines)
            list += line + "\r\n";
        std::string data(set.data.begin(), set.data.end());
        for (const auto& folder : set.folders) {
            std::string stem = folder + (set.inFolder ? set.name + "/" : "") + set.name;
            Write(stem + ".INS", list);
            Write(stem + ".DAT", data);
        }
        set_.reset();
    }

    fs::path manifestDir_;
    fs::path out_;
    std::string programsDir_;
    std::set<std::string> touched_;
    std::optional<Set> set_;
};

}  // namespace

std::string GeneratedText(std::size_t size, const std::string& seed) {
    std::uint32_t state = 2166136261u;
    for (char c : seed)
        state = (state ^ static_cast<std::uint8_t>(c)) * 16777619u;
    static const char* const kWords[] = {"ovra ",     "vexa ", "kit ",   "8051 ",  "linker ",
                                         "register ", "bank ", "xdata ", "idata ", "code ",
                                         "sfr ",      "\r\n",  "0x",     "F0 ",    "A5 "};
    std::string out;
    out.reserve(size);
    while (out.size() < size) {
        state = state * 1103515245u + 12345u;
        out += kWords[(state >> 16) % std::size(kWords)];
    }
    out.resize(size);
    return out;
}

bool BuildMedia(const std::string& manifest, const std::string& manifestDir, const std::string& outDir,
                std::string& error, const std::string& programsDir) {
    std::istringstream in(manifest);
    Builder builder(manifestDir, outDir, programsDir);
    int number = 0;
    try {
        fs::create_directories(outDir);
        for (std::string line; std::getline(in, line);) {
            ++number;
            std::size_t first = line.find_first_not_of(" \t\r");
            if (first == std::string::npos || line[first] == '#') continue;
            auto words = Words(line);
            if (words.empty()) continue;
            builder.Directive(words, in, number);
        }
        builder.Finish();
    } catch (const std::exception& e) {
        error = "line " + std::to_string(number) + ": " + e.what();
        return false;
    }
    return true;
}

}  // namespace mkmedia
