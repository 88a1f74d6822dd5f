// conf.xml is never replaced silently: a load says whether it read the file
// whole, a file that was not read whole is kept before the first save, and
// the temporary files of saves that were killed midway are cleared away.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "settings/data_files.h"
#include "settings/save_files.h"
#include "settings/xml_document.h"
#include "settings_temp_dir.h"

namespace gkr {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class SettingsKeep : public ::testing::Test {
protected:
    SettingsLoad Load(const std::string& bytes) {
        WriteBytes(path, bytes);
        return LoadSettings(settings, path);
    }
    TempDir dir;
    const std::string path = dir.File("conf.xml");
    Settings settings;
};

TEST_F(SettingsKeep, OnlyAWholeWellFormedFileCountsAsRead) {
    EXPECT_EQ(SettingsLoad::NoFile, LoadSettings(settings, path));
    EXPECT_EQ(SettingsLoad::Whole, Load("<Setting UseKey=\"1\"><!-- mine --></Setting>\n"));
    EXPECT_EQ(SettingsLoad::NotWhole, Load("<Setting UseKey=\"0\"><Accel Name=\"a\""));
    EXPECT_EQ(0, settings.UseKey.load()) << "what came before the damage is still read";
    EXPECT_EQ(SettingsLoad::NotWhole, Load(std::string("\xFF\xFE<\0S\0e\0t\0t\0i\0n\0g\0/\0>\0", 20)))
        << "saved as UTF-16 by an editor";
    EXPECT_EQ(SettingsLoad::NotWhole, Load(""));
    EXPECT_EQ(SettingsLoad::NotWhole, Load("<Settings UseKey=\"0\" />")) << "no Setting element";
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(SettingsLoad::NotWhole, LoadSettings(settings, path)) << "a folder in its place";
}

TEST_F(SettingsKeep, AnyNumberThatCannotBeReadMeansTheFileWasNotReadWhole) {
    EXPECT_EQ(SettingsLoad::NotWhole, Load("<Setting FluteWndX=\"99999999999999999999\" FluteWndY=\"300\" />"));
    EXPECT_EQ(300, settings.FluteWndY.load()) << "the values that could be read are still taken";
    // Hand edits: out of the 32-bit range, a blank, a letter; in every place a number is read.
    for (const char* text : {"<Setting DefaultKey=\"4294967295\" />", "<Setting UseKey=\" 1\" />",
                             "<Setting><Accel Name=\"a\" Num=\"x\" /></Setting>",
                             "<Setting><Accel Name=\"a\" Num=\"0\"><Key Code=\"65a\" /></Accel></Setting>",
                             "<Setting><Accel Name=\"a\" Num=\"0\"><Pad Button=\"-\" /></Accel></Setting>",
                             "<Setting><KeyConfig Name=\"k\" Index=\"2147483648\" /></Setting>"})
        EXPECT_EQ(SettingsLoad::NotWhole, Load(text)) << text;
    // Missing values are not unread ones: a Key without Code holds its place as code 0.
    EXPECT_EQ(SettingsLoad::Whole, Load("<Setting FluteWndX=\"-2147483648\"><Accel Name=\"a\"><Key /></Accel>"
                                        "<KeyConfig Name=\"k\" /></Setting>"));
}

TEST_F(SettingsKeep, AHandEditedFileOfAFewMegabytesLoads) {
    std::string text = "<!-- my settings, edited by hand -->\n<Setting UseKey=\"0\" TimerSize=\"150\">\n";
    for (int i = 0; i < 400; ++i) {
        text += "    <!-- hotkey " + std::to_string(i) + ": " + std::string(8000, 'x') + " -->\n";
        text += "    <Accel Name=\"action " + std::to_string(i) + "\" Num=\"" + std::to_string(i) +
                "\"><Key Code=\"65\" /><Key Code=\"66\" /></Accel>\n";
    }
    text += "</Setting>\n";
    ASSERT_GT(text.size(), 3u << 20);
    EXPECT_EQ(SettingsLoad::Whole, Load(text));
    EXPECT_EQ(400u, settings.accels.Size());
    EXPECT_EQ(150, settings.TimerSize.load());
}

TEST_F(SettingsKeep, EachUnreadFileIsKeptUnderTheFirstFreeNameNeverOverAnEarlierOne) {
    // Hand edits of two days: a number out of range, then a file saved as UTF-16.
    WriteBytes(path, "<Setting UseKey=\"4294967296\" />");
    ASSERT_TRUE(KeepUnreadFile(path));
    WriteBytes(path, "\xff\xfe<\0S\0");
    ASSERT_TRUE(KeepUnreadFile(path));
    EXPECT_EQ("<Setting UseKey=\"4294967296\" />", ReadBytes(path + ".unread"));
    EXPECT_EQ("\xff\xfe<\0S\0", ReadBytes(path + ".unread.1"));
    EXPECT_EQ("\xff\xfe<\0S\0", ReadBytes(path)) << "the file itself is not touched";
    // A folder holds the next name: it is passed over.
    std::filesystem::create_directory(path + ".unread.2");
    ASSERT_TRUE(KeepUnreadFile(path));
    EXPECT_EQ("\xff\xfe<\0S\0", ReadBytes(path + ".unread.3"));
    // With every name up to .99 taken nothing is kept, and nothing is left behind.
    for (int n = 4; n <= 99; ++n) WriteBytes(path + ".unread." + std::to_string(n), "taken");
    EXPECT_FALSE(KeepUnreadFile(path)) << "the caller must not save over it";
    EXPECT_EQ(101, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
    std::filesystem::remove(path + ".unread.1");
    std::filesystem::remove(path);
    EXPECT_FALSE(KeepUnreadFile(path)) << "nothing to keep";
    EXPECT_FALSE(std::filesystem::exists(path + ".unread.1"));
}

TEST_F(SettingsKeep, LeftoversOfKilledSavesGoOnlyWhenTheirProcessIsGone) {
    // A process id no process has: a child that has ended and been reaped.
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string dead = SaveTempName(path, uint32_t(child));
    const std::string live = SaveTempName(path, uint32_t(getppid()));
    const std::string own = SaveTempName(path, uint32_t(getpid()));
    const std::string other = path + ".backup.tmp";
    for (const std::string& file : {dead, live, own, other}) WriteBytes(file, "x");
    RemoveStaleSaveFiles(path);
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(own)) << "a save of this process may be under way";
    EXPECT_TRUE(std::filesystem::exists(other));
}

TEST(SaveFiles, TheOwnerIsReadOnlyFromTheExactName) {
    EXPECT_EQ(4242u, SaveTempOwner("conf.xml", "conf.xml.4242.tmp"));
    EXPECT_EQ(4294967295u, SaveTempOwner("conf.xml", "conf.xml.4294967295.tmp"));
    for (const char* name : {"conf.xml.tmp", "conf.xml..tmp", "conf.xml.-1.tmp", "conf.xml.042.tmp",
                             "conf.xml.4294967296.tmp", "conf.xml.12.tmp.bak", "xconf.xml.12.tmp", "conf.xml12.tmp"})
        EXPECT_FALSE(SaveTempOwner("conf.xml", name).has_value()) << name;
    // Wide names (folders of any name) follow the same rule, whatever the target.
    EXPECT_EQ(L"C:\\게임\\keyconfig.cfg.12.tmp", SaveTempName(std::wstring(L"C:\\게임\\keyconfig.cfg"), 12));
    EXPECT_EQ(12u, SaveTempOwner(std::wstring(L"keyconfig.cfg"), L"keyconfig.cfg.12.tmp"));
    EXPECT_EQ(L"a.b.cfg", SaveTempTarget(L"a.b.cfg.4294967295.tmp").value_or(L"?"));
    for (const wchar_t* name : {L".12.tmp", L"a.cfg.tmp", L"a.cfg.012.tmp", L"a.cfg.4294967296.tmp", L"a.cfg.1x.tmp"})
        EXPECT_FALSE(SaveTempTarget(name)) << name;
}

}  // namespace
}  // namespace gkr
