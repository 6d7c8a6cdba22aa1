// install_bench WORKDIR [FILES SIZE]: the install benchmark. For a payload of FILES files of SIZE bytes
// (default 2000 x 100 000, about 200 MB) and one ten times smaller, it builds a media with mkmedia, then
// times in separate child processes (best of three runs each, peak memory from the child's own rusage):
//   ours      one file set installed through InstallFileSet with the machine backend
//   mspack    libmspack expanding the same SZDD images to host files in one process (mspack_baseline)
//   tar -x    extracting a tar of the same uncompressed payload
// and prints a table with the ratios and whether the targets hold. A measurement, not a test: the exit
// status is 0 whenever the measurement itself could be made, met targets or not.
//
// install_bench --install MEDIA PREFIX SET is the measured install (run by the benchmark itself).
#include <spawn.h>
#include <strings.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "install_child.h"
#include "mkmedia/manifest.h"
#include "mkmedia/szdd_compress.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kFilesPerDirectory = 100;
constexpr int kRuns = 3;
constexpr double kMaxRatioToMspack = 1.5;
constexpr double kMaxPeakMiB = 16.0;

struct Payload {
    int files;
    std::size_t size;
};

struct Measure {
    double seconds = 0;  // best wall time of the runs
    double peakMiB = 0;  // largest peak resident set of the runs
    bool ok = true;      // every run exited with 0
};

std::string Directory(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "D%02d", index / kFilesPerDirectory);
    return name;
}

std::string FileName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "F%04d.INC", index);
    return name;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The media, the compressed images as host files and the tar of the plain payload, all from one
// deterministic payload.
void Prepare(const Payload& p, const fs::path& work) {
    fs::remove_all(work);
    std::string manifest = "set Bench\n";
    for (int i = 0; i < p.files; i += kFilesPerDirectory)
        manifest += "  md " + Directory(i) + "\n";
    for (int i = 0; i < p.files; ++i)
        manifest += "  file " + Directory(i) + " " + FileName(i) + " size=" + std::to_string(p.size) + "\n";
    manifest += "end\n";
    std::string error;
    if (!mkmedia::BuildMedia(manifest, work.string(), (work / "media").string(), error))
        throw std::runtime_error("mkmedia: " + error);

    for (int i = 0; i < p.files; ++i) {
        std::string name = FileName(i);
        std::string text = mkmedia::GeneratedText(p.size, name);
        WriteFile(work / "payload" / Directory(i) / name, text);
        std::vector<std::uint8_t> bytes(text.begin(), text.end());
        auto image = mkmedia::CompressSzdd(bytes, name.back());
        std::string stored = name.substr(0, name.size() - 1) + "_";
        WriteFile(work / "images" / Directory(i) / stored, std::string(image.begin(), image.end()));
    }
    std::string tar =
        "tar -cf '" + (work / "payload.tar").string() + "' -C '" + (work / "payload").string() + "' .";
    if (std::system(tar.c_str()) != 0) throw std::runtime_error("tar -c failed");
}

// Runs args through the measure program; the child's wall time and peak resident set.
bool RunChild(const std::string& measure, const fs::path& resultFile, const std::vector<std::string>& args,
              double& seconds, double& peakMiB) {
    std::vector<std::string> all = {measure, resultFile.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (const auto& a : all)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    std::FILE* in = std::fopen(resultFile.c_str(), "r");
    if (!in) return false;
    long peakKiB = 0;
    int childStatus = -1;
    bool read = std::fscanf(in, "%lf %ld %d", &seconds, &peakKiB, &childStatus) == 3;
    std::fclose(in);
    peakMiB = static_cast<double>(peakKiB) / 1024.0;
    return read && childStatus == 0;
}

Measure Time(const std::string& measure, const std::vector<std::string>& args, const fs::path& output,
             bool makeOutput) {
    Measure m;
    m.seconds = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        fs::remove_all(output);
        if (makeOutput) fs::create_directories(output);
        double seconds = 0, peak = 0;
        if (!RunChild(measure, output.string() + ".result", args, seconds, peak)) m.ok = false;
        m.seconds = std::min(m.seconds, seconds);
        m.peakMiB = std::max(m.peakMiB, peak);
    }
    return m;
}

// Every payload file arrived byte for byte (the restored names may differ in case from ours).
bool InstalledIntact(const Payload& p, const fs::path& work) {
    const fs::path installed = work / "prefix" / "drive_c" / "OVRA";
    int found = 0;
    for (int i = 0; i < p.files; ++i) {
        fs::path dir = installed / Directory(i);
        std::string expected = ReadFile(work / "payload" / Directory(i) / FileName(i));
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            std::string name = entry.path().filename().string();
            if (strcasecmp(name.c_str(), FileName(i).c_str()) != 0) continue;
            if (ReadFile(entry.path()) == expected) ++found;
        }
    }
    return found == p.files;
}

const char* Verdict(bool met) {
    return met ? "met" : "MISSED";
}

struct Programs {
    std::string self, baseline, measure;
};

void Report(const Payload& p, const fs::path& work, const Programs& programs) {
    Prepare(p, work);
    std::uintmax_t images = 0;
    for (const auto& e : fs::recursive_directory_iterator(work / "images"))
        if (e.is_regular_file()) images += e.file_size();

    Measure ours =
        Time(programs.measure,
             {programs.self, "--install", (work / "media").string(), (work / "prefix").string(), "Bench"},
             work / "prefix", false);
    bool intact = InstalledIntact(p, work);
    Measure mspack = Time(programs.measure,
                          {programs.baseline, (work / "images").string(), (work / "mspack-out").string()},
                          work / "mspack-out", false);
    Measure tar = Time(programs.measure,
                       {"tar", "-xf", (work / "payload.tar").string(), "-C", (work / "tar-out").string()},
                       work / "tar-out", true);

    const double payloadMB = static_cast<double>(p.files) * static_cast<double>(p.size) / 1e6;
    std::printf("\nPayload: %d files x %zu bytes = %.1f MB (SZDD images %.1f MB), best of %d runs\n", p.files,
                p.size, payloadMB, static_cast<double>(images) / 1e6, kRuns);
    std::printf("  %-28s %10s %10s %12s %s\n", "", "wall (s)", "MB/s", "peak (MiB)", "");
    auto row = [&](const char* name, const Measure& m) {
        std::printf("  %-28s %10.3f %10.1f %12.1f %s\n", name, m.seconds, payloadMB / m.seconds, m.peakMiB,
                    m.ok ? "" : "(a run FAILED)");
    };
    row("ours (InstallFileSet)", ours);
    row("libmspack baseline", mspack);
    row("tar -x (uncompressed)", tar);
    const double toMspack = ours.seconds / mspack.seconds;
    std::printf("  ours / libmspack = %.2f  (target <= %.1f: %s)\n", toMspack, kMaxRatioToMspack,
                Verdict(toMspack <= kMaxRatioToMspack));
    std::printf("  ours / tar -x    = %.2f\n", ours.seconds / tar.seconds);
    std::printf("  our peak memory  = %.1f MiB  (target < %.0f MiB: %s)\n", ours.peakMiB, kMaxPeakMiB,
                Verdict(ours.peakMiB < kMaxPeakMiB));
    std::printf("  installed files byte for byte: %s\n", intact ? "yes" : "NO");
    std::fflush(stdout);
    fs::remove_all(work);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--install") return RunInstallChild(argv[2], argv[3], argv[4]);
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: install_bench WORKDIR [FILES SIZE]\n");
        return 2;
    }
    Payload big{2000, 100000};
    if (argc == 4) big = {std::atoi(argv[2]), static_cast<std::size_t>(std::atoll(argv[3]))};
    if (big.files < 10 || big.size == 0) {
        std::fprintf(stderr, "install_bench: at least 10 files of at least 1 byte\n");
        return 2;
    }
    const std::string self = fs::canonical("/proc/self/exe").string();
    const fs::path dir = fs::path(self).parent_path();
    const Programs programs{self, (dir / "mspack_baseline").string(), (dir / "measure").string()};
    const fs::path work = fs::absolute(argv[1]);
    try {
        Report(big, work / "large", programs);
        Report({big.files / 10, big.size}, work / "small", programs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
