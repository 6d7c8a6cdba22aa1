#include "components/text_lines.h"

#include <cstring>

bool ReadWholeLine(crt::FILE* file, std::string& line) {
    line.clear();
    char chunk[512];
    bool any = false;
    while (crt::fgets(chunk, sizeof chunk, file)) {
        any = true;
        std::size_t n = std::strlen(chunk);
        if (n > 0 && chunk[n - 1] == '\n') {
            line.append(chunk, n - 1);
            return true;
        }
        line.append(chunk, n);
    }
    return any;
}
