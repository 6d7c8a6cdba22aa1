// mspack_baseline IMAGEDIR OUTDIR: the yardstick of the install benchmark. Expands every SZDD image
// IMAGEDIR/SUB/NAME_ to OUTDIR/SUB/NAME with libmspack's own SZDD decompressor and its default host
// file system, in one process: what a bare expander costs, without any of the installer's logic.
#include <dirent.h>
#include <mspack.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mspack_baseline IMAGEDIR OUTDIR\n");
        return 2;
    }
    const std::string images = argv[1], out = argv[2];
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    if (!d) {
        std::fprintf(stderr, "mspack_baseline: cannot create the SZDD decompressor\n");
        return 1;
    }
    mkdir(out.c_str(), 0755);
    long expanded = 0, failed = 0;
    for (const auto& sub : Entries(images)) {
        const std::string from = images + "/" + sub;
        if (!IsDirectory(from)) continue;
        const std::string to = out + "/" + sub;
        mkdir(to.c_str(), 0755);
        for (const auto& name : Entries(from)) {
            const std::string image = from + "/" + name;
            msszddd_header* h = d->open(d, image.c_str());
            if (!h) {
                ++failed;
                continue;
            }
            std::string target = name;
            if (!target.empty() && target.back() == '_') {
                target.pop_back();
                if (h->missing_char) target.push_back(h->missing_char);
            }
            if (d->extract(d, h, (to + "/" + target).c_str()) == MSPACK_ERR_OK)
                ++expanded;
            else
                ++failed;
            d->close(d, h);
        }
    }
    mspack_destroy_szdd_decompressor(d);
    if (failed)
        std::fprintf(stderr, "mspack_baseline: %ld of %ld images failed\n", failed, expanded + failed);
    return failed ? 1 : 0;
}
