// The setup writes menu entries into the user's XDG directories; every program the tests start (and
// the tests themselves) must use directories of the build instead of the real menu of the user.
#include <cstdlib>
#include <string>

namespace {

struct TestDesktopHome {
    TestDesktopHome() {
        const std::string base = std::string(OVRA_BINARY_DIR) + "/test-desktop";
        setenv("XDG_DATA_HOME", (base + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    }
} testDesktopHome;

}  // namespace
