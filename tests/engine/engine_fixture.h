// Test support for the install engine: a prefix with the machine backend, media built by mkmedia into
// C:\media, the setup record pointing at it and at the installation directory C:\OVRA (with its log).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "engine/file_set.h"
#include "engine/file_transfer.h"
#include "engine/setup_ini.h"
#include "engine/uninstall_log.h"
#include "mkmedia/manifest.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace testing_support {

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        ResetSetupRecord();
        ResetIdeIniErrorReport();
        ResetSharedDllCounter();
        SetupRecord& s = ::Setup();
        s.sourceDir = "C:\\media\\";
        s.installDir = "C:\\OVRA";
        s.productWord = 1;  // OVRA: a fresh uninstall log
        CreateDirectoryA("C:\\OVRA", nullptr);
        CreateUninstallLog();
        app = std::make_unique<WVexaInstApp>();
    }
    ~EngineTest() override {
        app.reset();
        ResetSetupRecord();
        ResetSharedDllCounter();
    }

    // Builds media from a manifest into C:\<dir>.
    void Media(const std::string& manifest, const std::string& dir = "media") {
        std::string error;
        ASSERT_TRUE(mkmedia::BuildMedia(manifest, ".", prefix.DriveC(dir), error)) << error;
    }

    int Install(const std::string& name) {
        std::string set = name;
        return InstallFileSet(*app, set);
    }

    // The host path of a Windows path below C:\ ("OVRA\bin\x.dll"), matched without regard to case;
    // empty when it does not exist.
    std::string Host(const std::string& relative) const {
        std::filesystem::path at = prefix.DriveC();
        std::string part;
        auto step = [&](const std::string& name) {
            if (name.empty() || at.empty()) return;
            std::error_code ec;
            for (const auto& entry : std::filesystem::directory_iterator(at, ec)) {
                std::string have = entry.path().filename().string();
                if (have.size() == name.size() &&
                    std::equal(have.begin(), have.end(), name.begin(),
                               [](char a, char b) { return std::tolower(a) == std::tolower(b); })) {
                    at = entry.path();
                    return;
                }
            }
            at.clear();
        };
        for (char c : relative) {
            if (c == '\\' || c == '/') {
                step(part);
                part.clear();
            } else {
                part += c;
            }
        }
        step(part);
        return at.string();
    }
    std::string Read(const std::string& relative) const {
        std::string host = Host(relative);
        return host.empty() ? std::string() : ReadHostFile(host);
    }
    bool Exists(const std::string& relative) const { return !Host(relative).empty(); }
    // Names in a directory, as they are spelled on disk.
    std::vector<std::string> Names(const std::string& relative) const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(Host(relative), ec))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        std::string text = Read("OVRA\\uninst.ins");
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find("\r\n", pos);
            if (end == std::string::npos) end = text.size();
            lines.push_back(text.substr(pos, end - pos));
            pos = end + 2;
        }
        return lines;
    }
    std::string OvraIni(const char* section, const char* key) {
        char buffer[260];
        GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, "C:\\windows\\OVRA.ini");
        return buffer;
    }
    platform::Faults& Faults() { return prefix.machine().faults(); }

    RecordingUi ui;
    TempPrefix prefix{&ui};
    std::unique_ptr<WVexaInstApp> app;
};

}  // namespace testing_support
