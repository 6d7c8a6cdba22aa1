#include "engine/file_set.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <vector>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/text.h"
#include "engine/file_transfer.h"
#include "engine/install_list.h"
#include "engine/install_session.h"
#include "engine/progress.h"
#include "engine/setup_ini.h"
#include "engine/simulator_dlls.h"
#include "engine/uninstall_log.h"
#include "pages/directory.h"
#include "platform/win32.h"
#include "resources/catalogue.h"

namespace {

using install_list::Keyword;
using install_list::Line;

constexpr int kSeekSet = 0;
// The expanded image while its checksum is taken; removed again at once.
constexpr const char kCheckFileName[] = "tempfile.chk";

void Trace(const std::string& line) {
    if (platform::UiApi* ui = platform::Current().ui) ui->Trace(line);
}

class Stream {
  public:
    Stream(const std::string& path, const char* mode) : file_(crt::fopen(path.c_str(), mode)) {}
    ~Stream() { Close(); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    crt::FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    // 0 when everything written reached the file.
    int Close() {
        int result = file_ ? crt::fclose(file_) : 0;
        file_ = nullptr;
        return result;
    }

  private:
    crt::FILE* file_;
};

std::string DriveAndDirectory(const std::string& path) {
    install_list::PathParts parts = install_list::SplitPath(path);
    return parts.drive + parts.dir;
}

// The run of one list: the installation directory, the source base and the open data file.
class ListRun {
  public:
    ListRun(InstallSession& app, std::string base, crt::FILE* data)
        : app_(app), installDir_(Setup().installDir), base_(std::move(base)), data_(data) {}

    // false ends the set with result 0.
    bool Dispatch(const Line& line) {
        switch (install_list::ClassifyKeyword(line[0])) {
            case Keyword::kMd:
                return Md(line);
            case Keyword::kRegEntryWithPath:
                WriteIdeIni(line[1].c_str(), line[2].c_str(), (installDir_ + "\\" + line[3]).c_str());
                return true;
            case Keyword::kRegEntry:
                WriteIdeIni(line[1].c_str(), line[2].c_str(), line[3].c_str());
                return true;
            case Keyword::kCopy:
                return Copy(line);
            case Keyword::kNone:
                return true;
        }
        return true;
    }

  private:
    bool Corrupted(const std::string& why) {
        Trace("corrupted " + why);
        ShowMessage(MainWindowHandle(), 1069, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    bool DiskFull() {
        ShowMessage(MainWindowHandle(), 1070, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    void Show(const std::string& text, int gauge) {
        if (app_.progress) app_.progress->SetTextAndGauge(text, gauge);
    }

    bool Md(const Line& line) {
        // A list may only create directories below the installation directory.
        if (!install_list::IsContainedSubdirectory(line[1])) return Corrupted("md " + line[1]);
        std::string path = ToUpper(installDir_ + "\\" + line[1]);
        CreateDirectoryA(path.c_str(), nullptr);
        AppendMdLine(path);
        std::string text = FormatText(LoadMessage(1068).c_str(), path.c_str());
        ShortenPathForDisplay(text, 34);
        Show(text, -1);
        return true;
    }

    // Steps 2 to 5 of a copy line: the record and its image into I\tempfile.tmp.
    bool Extract(const std::string& stored, const install_list::CopyOptions& options) {
        if (!options.offset || *options.offset < 0 || !data_ ||
            crt::fseek(data_, *options.offset, kSeekSet) != 0)
            return Corrupted("no record for " + stored);
        std::vector<std::uint8_t> header(install_list::RecordHeaderSize(stored));
        std::size_t got = crt::fread(header.data(), 1, header.size(), data_);
        header.resize(got);
        if (install_list::CheckRecordName(header, stored) != install_list::RecordCheck::kOk)
            return Corrupted("record name for " + stored);

        Stream temp(installDir_ + "\\" + kTempFileName, "wb");
        if (!temp) return DiskFull();
        std::uint8_t buffer[install_list::kDataChunk];
        for (long left = options.length; left > 0;) {
            std::size_t want = std::min<std::size_t>(static_cast<std::size_t>(left), sizeof buffer);
            std::size_t read = crt::fread(buffer, 1, want, data_);
            if (read < want) return Corrupted("image of " + stored + " is short");
            if (crt::fwrite(buffer, 1, read, temp.get()) < read) return DiskFull();
            left -= static_cast<long>(read);
        }
        if (temp.Close() != 0) return DiskFull();
        return true;
    }

    // The C option of a copy line: the extracted image, expanded into a scratch file of the
    // installation directory, must have the checksum the media builder recorded. Damaged media are
    // caught here, before anything is put in place.
    bool MatchesChecksum(const std::string& stored, std::uint32_t expected) {
        const std::string check = installDir_ + "\\" + kCheckFileName;
        LONG expanded = LZCopyFile((installDir_ + "\\" + kTempFileName).c_str(), check.c_str());
        if (expanded == LZERROR_WRITE || expanded == LZERROR_BADOUTHANDLE) {
            DeleteFileA(check.c_str());
            return DiskFull();
        }
        std::uint32_t crc = 0;
        bool readable = expanded >= 0;
        if (readable) {
            Stream in(check, "rb");
            readable = static_cast<bool>(in);
            std::uint8_t buffer[install_list::kDataChunk];
            for (std::size_t got; readable && (got = crt::fread(buffer, 1, sizeof buffer, in.get())) > 0;)
                crc = install_list::Crc32(std::span<const std::uint8_t>(buffer, got), crc);
        }
        DeleteFileA(check.c_str());
        if (!readable) return Corrupted("image of " + stored + " does not expand");
        if (crc != expected) {
            char detail[64];
            std::snprintf(detail, sizeof detail, " has checksum %08X, not %08X", static_cast<unsigned>(crc),
                          static_cast<unsigned>(expected));
            return Corrupted("image of " + stored + detail);
        }
        return true;
    }

    bool Copy(const Line& line) {
        const std::string& stored = line[1];
        const std::string& subdir = line[2];
        install_list::CopyOptions options = install_list::ParseCopyOptions(line);
        std::string target = options.longName && !options.longName->empty() ? *options.longName : stored;
        // Nothing of a list may name a file outside the installation directory.
        if (!install_list::IsPlainFileName(stored) || !install_list::IsContainedSubdirectory(subdir) ||
            !install_list::IsPlainFileName(target))
            return Corrupted("path outside the installation directory: " + stored + " " + subdir + " " +
                             target);
        if (!Extract(stored, options)) return false;
        if (options.checksum && !MatchesChecksum(stored, *options.checksum)) return false;

        // The stored name's extension is restored from the table; a "~" in it stands for itself.
        std::string written = stored;
        std::replace(written.begin(), written.end(), '~', '_');
        install_list::PathParts parts = install_list::SplitPath(base_ + written);
        std::string ext = install_list::RestoreExtension(parts.ext);

        install_list::CopyFlags flags = install_list::ParseCopyFlags(line);
        if (flags.v16Only) return true;

        // The name the file keeps is decided before it is installed: the long name, or the stored name
        // with its "~", each with the restored extension. The version search, the questions and the
        // uninstall log all speak of that file, and a second installation replaces it in place.
        const std::string installed = install_list::SplitPath(target).name + ext;
        const std::string dir = installDir_ + "\\" + subdir + "\\";
        const std::string destination = dir + installed;
        install_list::PathParts kept = install_list::SplitPath(installed);
        if (IsSimulatorDll(kept.name.c_str(), kept.ext.c_str())) Setup().simulatorDllsInstalled = true;

        if (!flags.shared) AppendCopyLine(destination);

        FileTransfer file;
        file.destName = installed;
        file.appDir = DriveAndDirectory(destination);
        file.shared = flags.shared;
        file.version = flags.version;
        file.gauge = options.gauge.value_or(-1);
        return InstallTransferredFile(app_, file) != TransferOutcome::kEndSet;
    }

    InstallSession& app_;
    std::string installDir_;
    std::string base_;
    crt::FILE* data_;
};

}  // namespace

std::string FileSetStem(const std::string& base, const std::string& setName, bool release, bool english,
                        bool inSetFolder) {
    std::string stem = base;
    if (!release) stem += english ? "English\\" : "French\\";
    stem += setName;
    if (inSetFolder) stem += "\\" + setName;
    return stem;
}

bool CanOpenForReading(const std::string& path) {
    crt::FILE* file = crt::fopen(path.c_str(), "r");
    if (!file) return false;
    crt::fclose(file);
    return true;
}

bool LocateFileSet(InstallSession& app, std::string& setName, std::string& base, FileSetLocation& found) {
    const bool release = HasTag(catalogue::kRelease);
    for (;;) {
        std::string first = FileSetStem(base, setName, release, app.englishFiles != 0, false);
        if (CanOpenForReading(first + ".INS")) {
            found = {first + ".INS", first + ".DAT"};
            Trace("fileset " + setName + " at " + first);
            return true;
        }
        std::string second = FileSetStem(base, setName, release, app.englishFiles != 0, true);
        if (CanOpenForReading(second + ".INS") && CanOpenForReading(second + ".DAT")) {
            found = {second + ".INS", second + ".DAT"};
            Trace("fileset " + setName + " at " + second);
            return true;
        }

        setName = ToLower(setName);
        std::string prompt = FormatText(LoadMessage(1066).c_str(), setName.c_str());
        std::string location = base.substr(0, MAX_PATH - 1);
        std::int32_t index = -1, step = 1;
        WVexaSetupDir dialog(MainWindowHandle(), &index, &step, prompt, location);
        if (RunPage(dialog) != IDOK) {
            Trace("fileset " + setName + " cancelled");
            app.DestroyProgressWindow();
            return false;
        }
        if (location.empty() || location.back() != '\\') location += '\\';
        base = DriveAndDirectory(location);
        if (location.size() >= 2 && location[1] == ':') SetCurrentDirectoryA(location.substr(0, 2).c_str());
    }
}

int InstallFileSet(InstallSession& app, std::string& setName) {
    app.EnsureProgressWindow();
    std::string base = DriveAndDirectory(Setup().sourceDir);
    FileSetLocation location;
    if (!LocateFileSet(app, setName, base, location)) return 0;
    base = DriveAndDirectory(location.list);

    setName = ToLower(setName);
    app.progress->SetStage(++app.fileSetsStarted, app.fileSetCount);
    app.progress->SetTitle(FormatText(LoadMessage(1067).c_str(), setName.c_str()));

    Stream list(location.list, "r");
    Stream data(location.data, "rb");
    // A list without its data file could not copy anything: the media is as good as corrupted.
    if (!list || !data) {
        Trace("corrupted " + std::string(!list ? location.list : location.data) + " cannot be opened");
        ShowMessage(MainWindowHandle(), 1069, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }

    // The extracted image is of no use once the set has ended, however it ended.
    struct RemoveTempFile {
        std::string path = Setup().installDir + "\\" + kTempFileName;
        ~RemoveTempFile() { DeleteFileA(path.c_str()); }
    } removeTempFile;
    ListRun run(app, base, data.get());
    char buffer[install_list::kReadBufferSize];
    while (crt::fgets(buffer, sizeof buffer, list.get())) {
        Line line = install_list::Tokenize(buffer);
        if (line.count == 0) continue;
        if (!run.Dispatch(line)) return 0;
    }
    return 1;
}
