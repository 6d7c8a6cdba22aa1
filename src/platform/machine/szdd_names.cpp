// The stored name of a compressed file, apart from the expander so that the native program (which has
// the system's own LZ expansion) can use it too.
#include <string>
#include <string_view>

#include "platform/machine/szdd.h"

namespace platform {

std::string CompressedName(std::string_view name) {
    std::string out(name);
    std::size_t slash = out.find_last_of("\\/:");
    std::size_t dot = out.find('.', slash == std::string::npos ? 0 : slash + 1);
    if (dot == std::string::npos) return out + "._";
    if (out.size() - dot - 1 < 3) return out + "_";
    out.back() = '_';
    return out;
}

}  // namespace platform
