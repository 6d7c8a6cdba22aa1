// The shell's folder browser and its viewer for the readme, as text.
#include <algorithm>
#include <cstdlib>

#include "platform/ui/text_ui.h"
#include "platform/ui/transcript_lines.h"

namespace platform {

namespace {

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// "C:\A\B\" -> "C:\A\B", "c:" -> "C:\": the form SHGetPathFromIDListA gives back.
std::string Normalise(std::string path) {
    if (!HasDrive(path)) return path;
    if (path[0] >= 'a' && path[0] <= 'z') path[0] = static_cast<char>(path[0] - 0x20);
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    if (path.size() == 2) path += '\\';
    return path;
}

std::string Parent(const std::string& folder) {
    std::size_t slash = folder.find_last_of('\\');
    if (slash == std::string::npos || folder.size() <= 3) return folder;
    return slash <= 2 ? folder.substr(0, 3) : folder.substr(0, slash);
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

const char kBrowseHelp[] =
    "number: open that folder   ..: up   X: another drive   a path: go there\n"
    "c or Enter: choose this folder   q: cancel";

}  // namespace

bool TextUi::Browse(const std::string& title, std::string& path) {
    auto list = [&](const std::string& folder) -> std::optional<std::vector<std::string>> {
        if (!files_.listFolders) return std::nullopt;
        return files_.listFolders(folder);
    };
    // Start where the caller's path is, or at its nearest folder that exists.
    std::string folder = HasDrive(path) ? Normalise(path) : "C:\\";
    while (!list(folder) && folder.size() > 3)
        folder = Parent(folder);

    for (;;) {
        std::optional<std::vector<std::string>> folders = list(folder);
        std::string out = "\n" + title + "\nFolder: " + folder + "\n";
        if (!folders) {
            out += "  (this folder cannot be read)\n";
        } else {
            for (std::size_t i = 0; i < folders->size(); ++i)
                out += "  " + std::to_string(i + 1) + ") " + (*folders)[i] + "\n";
            if (folders->empty()) out += "  (no folders)\n";
        }
        out += std::string(kBrowseHelp) + "\nFolder choice: ";
        terminal_.Write(out);

        std::string input;
        if (!terminal_.ReadLine(input)) return false;
        while (!input.empty() && input.back() == ' ')
            input.pop_back();
        while (!input.empty() && input.front() == ' ')
            input.erase(input.begin());
        if (input.empty() || input == "c" || input == "C") {
            if (!folders) {
                terminal_.Write("This folder cannot be chosen.\n");
                continue;
            }
            path = folder;
            return true;
        }
        if (input == "q" || input == "Q") return false;
        if (input == "..") {
            folder = Parent(folder);
            continue;
        }
        if (HasDrive(input)) {
            std::string target = Normalise(input);
            if (list(target)) {
                folder = target;
            } else {
                terminal_.Write(target + " cannot be opened.\n");
            }
            continue;
        }
        if (input.find_first_not_of("0123456789") == std::string::npos && input.size() <= 6 && folders) {
            auto n = static_cast<std::size_t>(std::atoi(input.c_str()));
            if (n >= 1 && n <= folders->size()) {
                folder = Join(folder, (*folders)[n - 1]);
                continue;
            }
        }
        terminal_.Write("Unknown choice \"" + input + "\".\n");
    }
}

bool TextUi::BrowseForFolder(HWND, const std::string& title, std::string& path) {
    EndProgressLine();
    std::string chosen = path;
    bool ok = Browse(title, chosen);
    transcript_.Line(BrowseLine(title, ok ? std::optional<std::string>(chosen) : std::nullopt));
    if (ok) path = chosen;
    return ok;
}

void TextUi::ShowFile(const std::string& name, const std::string& contents) {
    std::string text;
    text.reserve(contents.size());
    for (std::size_t i = 0; i < contents.size(); ++i)
        if (!(contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n')) text += contents[i];
    std::vector<std::string> lines = WrapText(text, terminal_.Width() - 1);
    terminal_.Write("\n=== " + name + " ===\n");
    // Into a pipe the whole file goes at once; a screen is filled a page at a time.
    std::size_t page =
        terminal_.IsTerminal() ? static_cast<std::size_t>(terminal_.Height() - 2) : lines.size();
    for (std::size_t top = 0; top < lines.size(); top += page) {
        std::string out;
        std::size_t end = std::min(lines.size(), top + page);
        for (std::size_t i = top; i < end; ++i)
            out += lines[i] + "\n";
        terminal_.Write(out);
        if (end == lines.size()) break;
        terminal_.Write("-- lines " + std::to_string(top + 1) + "-" + std::to_string(end) + " of " +
                        std::to_string(lines.size()) + ": Enter for more, q to close -- ");
        std::string input;
        if (!terminal_.ReadLine(input) || input == "q" || input == "Q") break;
    }
    terminal_.Write("=== end of " + name + " ===\n");
}

std::intptr_t TextUi::ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int) {
    EndProgressLine();
    std::string name = file ? file : "";
    std::optional<std::string> contents;
    if (files_.readFile && !name.empty()) contents = files_.readFile(name);
    transcript_.Line(ShellExecuteLine(operation, name, contents.has_value()));
    if (!contents) return static_cast<std::intptr_t>(SE_ERR_FNF);
    ShowFile(name, *contents);
    return 42;
}

}  // namespace platform
