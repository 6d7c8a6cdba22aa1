// Host entry of the setup program: host options, then the program entry with its Windows argv[0].
#include <cstdio>

int main() {
    std::puts("setup: not built yet");
    return 0;
}
