#include "engine/media_check.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "resources/catalogue.h"

namespace {

using testing_support::EngineTest;
using testing_support::WriteHostFile;

class MediaCheckTest : public EngineTest {
  protected:
    void Put(const std::string& stem, bool list = true, bool data = true) {
        if (list) WriteHostFile(prefix.DriveC("media/" + stem + ".INS"), "");
        if (data) WriteHostFile(prefix.DriveC("media/" + stem + ".DAT"), "");
    }
    void PutIdeSets(const std::string& folder) {
        for (const char* set : {"Ovra_1", "Ovra_2", "Ovra_3", "Ovra_4", "Version", "Ovra_5", "Debug"})
            Put(folder + set);
    }
    // Every set the table may ask for, so that only the sets a test removes are missing.
    void PutEverySet(const std::string& folder) {
        for (const auto& row : catalogue::MediaCheckRows())
            for (const auto& set : row.sets)
                Put(folder + set.name);
    }
    void Reset() {
        std::filesystem::remove_all(prefix.DriveC("media"));
        SetupRecord& s = ::Setup();
        s.productWord = s.word8051 = s.lpcWord = s.xaWord = s.st6Word = s.st5Word = s.addOnWord =
            s.patchWord = s.mxWord = s.xeWord = s.word80251 = 0;
        app->englishFiles = 1;
    }
};

TEST_F(MediaCheckTest, SetOnMediaNeedsBothFilesAtOneLocation) {
    struct Case {
        const char* list;
        const char* data;
        bool found;
    } cases[] = {
        {"English/S", "English/S", true},
        {"English/S/S", "English/S/S", true},
        {"English/S", "English/S/S", false},  // the pair must lie together
        {"English/S", nullptr, false},        // unlike the engine, the first place needs the data file too
        {"French/S", "French/S", false},      // English asked
        {"S", "S", false},                    // no RELEASE: the root is not searched
    };
    for (const auto& c : cases) {
        Reset();
        ::Setup().productWord = 1;
        if (c.list) Put(c.list, true, false);
        if (c.data) Put(c.data, false, true);
        EXPECT_EQ(IsFileSetOnMedia(*app, "S"), c.found) << c.list << " " << (c.data ? c.data : "-");
    }
    Reset();
    ::Setup().productWord = 1 | 8;  // RELEASE
    Put("S/S");
    EXPECT_TRUE(IsFileSetOnMedia(*app, "S"));
}

TEST_F(MediaCheckTest, WordsThatAloneAnswerNo) {
    Reset();
    PutEverySet("English/");
    ::Setup().st5Word = 1;
    ::Setup().mxWord = 1;
    ::Setup().xeWord = 1;
    EXPECT_FALSE(CheckMediaForSelection(*app));
    ::Setup().productWord = 1;
    EXPECT_TRUE(CheckMediaForSelection(*app));
}

TEST_F(MediaCheckTest, PatchLooksOnlyAtItsSet) {
    Reset();
    ::Setup().patchWord = 1;
    ::Setup().productWord = 1;  // the IDE sets are missing, but a patch asks for its own set only
    ::Setup().patchFileSet = "Fix7";
    EXPECT_FALSE(CheckMediaForSelection(*app));
    Put("English/Fix7");
    EXPECT_TRUE(CheckMediaForSelection(*app));
}

TEST_F(MediaCheckTest, IdeRowAndItsConditions) {
    Reset();
    ::Setup().productWord = 1;
    PutEverySet("English/");
    EXPECT_TRUE(CheckMediaForSelection(*app));
    std::filesystem::remove(prefix.DriveC("media/English/Ovra_5.DAT"));
    EXPECT_FALSE(CheckMediaForSelection(*app));
    ::Setup().productWord = 1 | 4;  // OVRAST6: no Ovra_5
    EXPECT_TRUE(CheckMediaForSelection(*app));
    ::Setup().productWord = 1;
    ::Setup().lpcWord = 1;  // LPC-Tools: no Ovra_5 either
    EXPECT_TRUE(CheckMediaForSelection(*app));
}

TEST_F(MediaCheckTest, FrenchFolderOnlyWhenTheEnglishFlagIsClear) {
    Reset();
    ::Setup().productWord = 1;
    PutIdeSets("French/");
    EXPECT_FALSE(CheckMediaForSelection(*app));
    app->englishFiles = 0;
    EXPECT_TRUE(CheckMediaForSelection(*app));
}

TEST_F(MediaCheckTest, EveryApplicableRowIsEvaluated) {
    Reset();
    ::Setup().addOnWord = 1u << 23;  // AddOn-Tools alone (the manuals tag has no row): "Version"
    EXPECT_FALSE(CheckMediaForSelection(*app));
    Put("English/Version");
    EXPECT_TRUE(CheckMediaForSelection(*app));
    // Every missing set is looked at, not only the first.
    Reset();
    ::Setup().productWord = 1;
    ui.traces.clear();
    CheckMediaForSelection(*app);
    int missing = 0;
    for (const auto& t : ui.traces)
        if (t.rfind("media missing ", 0) == 0) ++missing;
    EXPECT_EQ(missing, 7);
}

}  // namespace
