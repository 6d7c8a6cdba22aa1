// HF.csv, the media's list of 8051 derivatives: comma-separated lines (no quoting), two heading lines,
// then one part per line. Columns used, counting from 0:
//   0 name (blanks become underscores)   1 company        3 register header (file-name part only)
//   9 family ("80C51")                  17 internal RAM (text before a backslash)
//  22 generic part (a line without it is skipped)          25 simulator model reference
//  27 extra simulator DLL   28 hidden   29 chip model file   30 selection flags (hexadecimal)
// A line without a name, or whose name holds a backslash, is skipped. Each field loses its leading
// blanks. Lines are read 1024 characters at a time, as the C runtime's fgets would hand them over.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/text.h"
#include "config/derivatives.h"
#include "platform/win32.h"

namespace {

constexpr int kLineSize = 1024;

// A row whose flags column is empty (or not hexadecimal) is offered to every flavour: the maker's list
// leaves the column empty for parts that every kit supports.
constexpr std::uint16_t kFlagsWhenMissing = 0xFFFF;

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = line.find(',', start);
        std::string field =
            line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        std::size_t first = field.find_first_not_of(" \t");
        fields.push_back(first == std::string::npos ? std::string() : field.substr(first));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

std::string HeaderFile(const std::string& column) {
    if (column.empty()) return "";
    std::string file = column;
    std::size_t slash = file.find_last_of("\\/:");
    if (slash != std::string::npos) file = file.substr(slash + 1);
    std::size_t dot = file.find_last_of('.');
    if (dot != std::string::npos) file = file.substr(0, dot);
    return "\\inc\\" + file + ".h";
}

std::uint16_t ParseFlags(const std::string& column) {
    if (column.empty()) return kFlagsWhenMissing;
    char* end = nullptr;
    unsigned long value = std::strtoul(column.c_str(), &end, 16);
    if (end == column.c_str()) return kFlagsWhenMissing;
    return static_cast<std::uint16_t>(value);
}

}  // namespace

void ReadDerivativeFile(const char* family, const std::string& path, std::list<DerivativeRecord>& list) {
    crt::FILE* file = crt::fopen(path.c_str(), "r");
    if (!file) return;
    char buffer[kLineSize];
    int lineNumber = 0;
    while (crt::fgets(buffer, kLineSize, file)) {
        if (++lineNumber <= 2) continue;
        std::string line = FromBuffer(buffer, sizeof buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        std::vector<std::string> f = SplitFields(line);
        f.resize(31);  // missing columns read as empty
        if (f[22].empty() || lstrcmpiA(f[9].c_str(), family) != 0) continue;
        // The name becomes a key below "Simulators": without one, the values would land on that key
        // itself, and a backslash would make keys below keys.
        if (f[0].empty() || f[0].find('\\') != std::string::npos) continue;
        DerivativeRecord record;
        record.name = f[0];
        for (char& c : record.name)
            if (c == ' ') c = '_';
        record.company = f[1];
        record.incFile = HeaderFile(f[3]);
        record.targetName = f[9];
        record.intRamSize = f[17].substr(0, f[17].find('\\'));
        record.generic = f[22];
        record.microRef = f[25];
        record.dllName = f[27];
        record.hidden = f[28];
        record.microDef = f[29];
        record.flags = ParseFlags(f[30]);
        list.push_back(std::move(record));
    }
    crt::fclose(file);
}
