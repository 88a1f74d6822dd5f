// Data files an editor saved as UTF-8: their names reach the program in code
// page 949, conf.xml is kept before a save rewrites it, and the program's own
// code-page-949 files read exactly as before.
#include <gtest/gtest.h>

#include "settings/data_files.h"
#include "settings_temp_dir.h"

namespace gkr {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// 단축 and 공격 in each encoding; 공격's UTF-8 bytes also read as code page 949.
const std::string kShortcut949 = "\xb4\xdc\xc3\xe0", kShortcutUtf8 = "\xeb\x8b\xa8\xec\xb6\x95";
const std::string kAttack949 = "\xb0\xf8\xb0\xdd", kAttackUtf8 = "\xea\xb3\xb5\xea\xb2\xa9";
const std::string kMark = "\xef\xbb\xbf", kDeclaration = "<?xml version=\"1.0\" encoding='Utf-8' ?>\n";

std::string Conf(const std::string& accel, const std::string& config) {
    return "<Setting MaxHealth=\"77\"><Accel Name=\"" + accel + "\" Num=\"2\" /><KeyConfig Name=\"" + config +
           "\" Index=\"1\" /></Setting>\n";
}

class Utf8Files : public ::testing::Test {
protected:
    SettingsLoad Load(const std::string& bytes) {
        WriteBytes(path, bytes);
        Settings fresh;
        const SettingsLoad load = LoadSettings(fresh, path);
        accel = fresh.accels.Size() ? fresh.accels.Copy()[0].name : "?";
        config = fresh.keyConfigs.empty() ? "?" : fresh.keyConfigs[0].name;
        EXPECT_EQ(77, fresh.MaxHealth.load());
        return load;
    }
    TempDir dir;
    const std::string path = dir.File("conf.xml");
    std::string accel, config;
};

struct Case {
    std::string file;
    SettingsLoad load;
    std::string accel, config;
};

TEST_F(Utf8Files, AFileIsReadAsUtf8WhenItSaysOrShowsItAndAsCodePage949Otherwise) {
    for (const Case& c : {
             Case{kMark + Conf(kAttackUtf8, "a"), SettingsLoad::FromUtf8, kAttack949, "a"},
             Case{kDeclaration + Conf(kAttackUtf8, "a"), SettingsLoad::FromUtf8, kAttack949, "a"},
             Case{Conf(kShortcutUtf8, kAttackUtf8), SettingsLoad::FromUtf8, kShortcut949, kAttack949},
             // The program's own file; one valid as UTF-8 too that does not say
             // so; ones whose claim of UTF-8 their bytes deny (949, a surrogate).
             Case{Conf(kShortcut949, kAttack949), SettingsLoad::Whole, kShortcut949, kAttack949},
             Case{Conf(kAttackUtf8, "a"), SettingsLoad::Whole, kAttackUtf8, "a"},
             Case{kDeclaration + Conf(kShortcut949, "a"), SettingsLoad::Whole, kShortcut949, "a"},
             Case{kMark + Conf(kAttackUtf8, "\xed\xa0\x80"), SettingsLoad::Whole, kAttackUtf8, "\xed\xa0\x80"},
         }) {
        SCOPED_TRACE(c.file);
        const SettingsLoad load = Load(c.file);
        EXPECT_EQ(c.load, load);
        EXPECT_EQ(c.load == SettingsLoad::FromUtf8, KeepBeforeSave(load)) << "kept before a save in code page 949";
        EXPECT_EQ(c.accel, accel);
        EXPECT_EQ(c.config, config);
    }
}

TEST_F(Utf8Files, ANameCodePage949CannotHoldIsNotTakenAndTheFileCountsAsNotReadWhole) {
    EXPECT_EQ(SettingsLoad::NotWhole, Load(Conf(kShortcutUtf8 + "\xf0\x9f\x98\x80", kAttackUtf8)));
    EXPECT_EQ("", accel) << "an emoji";
    EXPECT_EQ(kAttack949, config) << "the other names are still converted";
    EXPECT_EQ(SettingsLoad::NotWhole, Load(Conf(kShortcutUtf8, "caf\xc3\xa9")));
    EXPECT_EQ(kShortcut949, accel);
    EXPECT_EQ("", config);
}

TEST_F(Utf8Files, SongSheetsSavedAsUtf8HaveTheirEffectsConverted) {
    WriteBytes(dir.File("SData.xml"), "<Song><Sheet Effect1=\"" + kShortcutUtf8 + "\" Effect2=\"\xf0\x9f\x98\x80\" />"
                                      "<Sheet Effect1=\"" + kAttackUtf8 + "\" /></Song>");
    SongSheets sheets;
    EXPECT_EQ(SongsLoad::NotWhole, LoadSongSheets(sheets, dir.File("SData.xml")));
    const SheetList list = *sheets.Snapshot();
    ASSERT_EQ(2u, list.size());
    EXPECT_EQ(kShortcut949, list[0].Effect1);
    EXPECT_EQ("", list[0].Effect2);
    EXPECT_EQ(kAttack949, list[1].Effect1);
}

}  // namespace
}  // namespace gkr
