#include "platform/machine/pe_version.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/machine/version_block.h"

namespace platform {
namespace {

std::vector<std::uint8_t> Input(const std::string& name) {
    std::ifstream in(std::string(OVRA_CONFORMANCE_DIR) + "/inputs/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::span<const std::uint8_t> Block(const std::vector<std::uint8_t>& image, const ResourceSpan& r) {
    return std::span<const std::uint8_t>(image).subspan(r.offset, r.size);
}

struct InputRow {
    const char* file;
    std::size_t resourceSize;  // 0: no version resource
    DWORD fileVersionMS, fileVersionLS, fileType;
    WORD language;
};

// Sizes as Wine reports them through GetFileVersionInfoSizeA (2 * size + 4): 980 and 964.
const InputRow kInputs[] = {
    {"v6102.dll", 488, 0x0006000A, 0x00020000, 2, 0x0409},
    {"v600.dll", 480, 0x00060000, 0, 2, 0x0409},
    {"v600de.dll", 480, 0x00060000, 0, 2, 0x0407},
    {"v700app.dll", 480, 0x00070000, 0, 1, 0x0409},
    {"nover.dll", 0, 0, 0, 0, 0},
    {"plain.txt", 0, 0, 0, 0, 0},
    {"v6102.dl_", 0, 0, 0, 0, 0},
};

TEST(PeVersion, FindsTheVersionResourceOfTheConformanceInputs) {
    for (const auto& row : kInputs) {
        SCOPED_TRACE(row.file);
        auto image = Input(row.file);
        ASSERT_FALSE(image.empty());
        auto res = FindVersionResource(image);
        if (!row.resourceSize) {
            EXPECT_FALSE(res);
            continue;
        }
        ASSERT_TRUE(res);
        EXPECT_EQ(res->size, row.resourceSize);
        VersionFacts facts = ReadVersionFacts(Block(image, *res));
        ASSERT_TRUE(facts.hasFixed);
        EXPECT_EQ(facts.fixed.dwFileVersionMS, row.fileVersionMS);
        EXPECT_EQ(facts.fixed.dwFileVersionLS, row.fileVersionLS);
        EXPECT_EQ(facts.fixed.dwFileType, row.fileType);
        ASSERT_TRUE(facts.hasTranslation);
        EXPECT_EQ(facts.language, row.language);
        EXPECT_EQ(facts.codePage, 0x04E4);
    }
}

TEST(PeVersion, TruncatedImagesHaveNoVersionAndAreNeverReadPastTheirEnd) {
    auto image = Input("v6102.dll");
    auto full = FindVersionResource(image);
    ASSERT_TRUE(full);
    // Every prefix of the file: the resource is found only once it is entirely inside.
    for (std::size_t n = 0; n < image.size(); n += 7) {
        std::vector<std::uint8_t> cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n));
        auto res = FindVersionResource(cut);
        if (res) {
            EXPECT_LE(res->offset + res->size, n);
        } else {
            EXPECT_LT(n, full->offset + full->size);
        }
    }
}

TEST(PeVersion, DamagedHeadersAreRejected) {
    auto base = Input("v6102.dll");
    std::uint32_t pe = base[0x3C] | base[0x3D] << 8;
    struct Damage {
        const char* what;
        std::size_t offset;
        std::uint8_t value;
    } damages[] = {
        {"MZ signature", 0, 'X'},
        {"PE offset far beyond the end", 0x3F, 0x7F},
        {"PE signature", pe + 1, 'X'},
        {"optional header magic", pe + 24, 0x99},
        {"section count zero", pe + 6, 0},
        {"resource directory RVA outside every section", pe + 24 + 112 + 16 + 3, 0x70},
    };
    for (const auto& d : damages) {
        SCOPED_TRACE(d.what);
        auto image = base;
        image[d.offset] = d.value;
        EXPECT_FALSE(FindVersionResource(image));
    }
}

TEST(PeVersion, GarbageNeverCrashes) {
    // A pseudo-random walk over bytes with a valid MZ/PE skeleton, to exercise the bounds checks.
    auto base = Input("v600.dll");
    std::uint32_t seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        auto image = base;
        for (int k = 0; k < 8; ++k) {
            seed = seed * 1103515245u + 12345u;
            std::size_t at = (seed >> 8) % image.size();
            image[at] = static_cast<std::uint8_t>(seed >> 24);
        }
        if (auto res = FindVersionResource(image)) {
            ASSERT_LE(res->offset + res->size, image.size());
            ReadVersionFacts(Block(image, *res));
            FindVersionValue(Block(image, *res), "\\StringFileInfo\\040904e4\\FileVersion");
        }
    }
}

struct QueryRow {
    const char* subBlock;
    bool found;
    UINT length;
    bool text;
};

TEST(VersionBlock, QueriesSubBlocksAsWindowsSpellsThem) {
    auto image = Input("v6102.dll");
    auto res = FindVersionResource(image);
    ASSERT_TRUE(res);
    auto block = Block(image, *res);
    const QueryRow rows[] = {
        {"\\", true, 52, false},
        {"", true, 52, false},
        {"\\VarFileInfo\\Translation", true, 4, false},
        {"\\StringFileInfo\\040904e4\\FileVersion", true, 7, true},
        {"\\StringFileInfo\\040904E4\\FileVersion", true, 7, true},
        {"StringFileInfo\\040904e4\\FileVersion", true, 7, true},
        {"\\\\StringFileInfo\\\\040904e4\\FileVersion", true, 7, true},
        {"\\stringfileinfo\\040904e4\\companyname", true, 19, true},
        {"\\StringFileInfo\\040904e4\\NoSuchString", false, 0, false},
        {"\\StringFileInfo\\040704e4\\FileVersion", false, 0, false},
        {"\\StringFileInfo\\04e40409\\FileVersion", false, 0, false},
        {"\\StringFileInfo\\040904e4\\FileVersio", false, 0, false},
        {"\\StringFileInfo\\040904e4\\FileVersionX", false, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.subBlock);
        auto v = FindVersionValue(block, row.subBlock);
        ASSERT_EQ(v.has_value(), row.found);
        if (!row.found) continue;
        EXPECT_EQ(v->length, row.length);
        EXPECT_EQ(v->text, row.text);
        EXPECT_LE(v->offset + v->bytes, block.size());
    }
}

TEST(VersionBlock, NodesLongerThanTheirParentAreNotFollowed) {
    auto image = Input("v6102.dll");
    auto res = FindVersionResource(image);
    ASSERT_TRUE(res);
    std::vector<std::uint8_t> block(image.begin() + static_cast<std::ptrdiff_t>(res->offset),
                                    image.begin() + static_cast<std::ptrdiff_t>(res->offset + res->size));
    // Claim the root is shorter than its children: nothing below it can be reached.
    block[0] = 0x60;
    block[1] = 0;
    EXPECT_FALSE(FindVersionValue(block, "\\StringFileInfo\\040904e4\\FileVersion"));
    EXPECT_TRUE(FindVersionValue(block, "\\"));
    EXPECT_FALSE(FindVersionValue(std::span<const std::uint8_t>(block).first(5), "\\"));
}

VersionFacts Facts(DWORD ms, DWORD ls, DWORD type, WORD lang, WORD cp) {
    VersionFacts f;
    f.hasFixed = true;
    f.fixed.dwFileVersionMS = ms;
    f.fixed.dwFileVersionLS = ls;
    f.fixed.dwFileType = type;
    f.hasTranslation = true;
    f.language = lang;
    f.codePage = cp;
    return f;
}

TEST(VersionCompare, ReportsTheDifferencesVerInstallFileNames) {
    auto v6102 = Facts(0x0006000A, 0x00020000, 2, 0x409, 0x4E4);
    auto v600 = Facts(0x00060000, 0, 2, 0x409, 0x4E4);
    auto v600de = Facts(0x00060000, 0, 2, 0x407, 0x4E4);
    auto v600uni = Facts(0x00060000, 0, 2, 0x409, 0x4B0);
    auto v700app = Facts(0x00070000, 0, 1, 0x409, 0x4E4);
    auto v6101 = Facts(0x0006000A, 0x00010000, 2, 0x409, 0x4E4);
    struct Row {
        const char* what;
        const VersionFacts* src;
        const VersionFacts* dst;
        DWORD bits;
    } rows[] = {
        {"newer over older", &v6102, &v600, 0},
        {"same version", &v600, &v600, 0},
        {"older over newer", &v600, &v6102, VIF_MISMATCH | VIF_SRCOLD},
        {"older only in the low word", &v6101, &v6102, VIF_MISMATCH | VIF_SRCOLD},
        {"other file type", &v700app, &v6102, VIF_MISMATCH | VIF_DIFFTYPE},
        {"other language", &v600de, &v600, VIF_MISMATCH | VIF_DIFFLANG},
        {"other code page", &v600uni, &v600, VIF_MISMATCH | VIF_DIFFCODEPG},
        {"unversioned source", nullptr, &v600, VIF_MISMATCH | VIF_SRCOLD},
        {"unversioned existing file", &v600, nullptr, 0},
        {"neither versioned", nullptr, nullptr, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(CompareVersions(row.src, row.dst), row.bits);
    }
}

}  // namespace
}  // namespace platform
