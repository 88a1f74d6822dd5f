#include "app/defaults.h"

#include <iconv.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace gkr {
namespace {

// Decodes code page 949 text to UTF-8 with the C library's converter.
std::string Cp949ToUtf8(const std::string& in) {
    iconv_t cd = iconv_open("UTF-8", "CP949");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no CP949 converter>";
    std::string src = in;
    std::vector<char> out(in.size() * 4 + 4);
    char* inPtr = &src[0];
    size_t inLeft = src.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return "<invalid CP949>";
    return std::string(out.data(), outPtr);
}

TEST(DefaultActionList, EightUnboundActionsNumberedByPosition) {
    Settings s;
    BuildDefaultActionList(s);
    const auto list = s.accels.Snapshot();
    const std::vector<std::string> names = {
        "타이머 시작", "타이머 종료", "타이머 숨기기", "타이머 보이기",
        "에너지바 숨기기", "에너지바 보이기", "악보 숨기기", "악보 보이기",
    };
    ASSERT_EQ(8u, list->size());
    for (size_t i = 0; i < list->size(); ++i) {
        const Accel& a = (*list)[i];
        EXPECT_EQ(static_cast<int32_t>(i), a.num);
        EXPECT_EQ(names[i], Cp949ToUtf8(a.name)) << "position " << i;
        EXPECT_TRUE(a.keys.empty());
        EXPECT_TRUE(a.pads.empty());
    }
}

TEST(DefaultActionList, ReplacesWhateverWasThere) {
    Settings s;
    Accel bound;
    bound.keys = {0x41};
    bound.name = "x";
    bound.num = 3;
    s.accels.Publish({bound, bound});
    auto before = s.accels.Snapshot();
    BuildDefaultActionList(s);
    EXPECT_EQ(8u, s.accels.Size());
    EXPECT_TRUE(s.accels.Snapshot()->front().keys.empty());
    EXPECT_EQ(2u, before->size());  // a reader's snapshot stays whole
}

TEST(DefaultOptions, StartValues) {
    Settings s;
    StoreDefaultOptions(s);
    EXPECT_EQ(1, s.UseKey);
    EXPECT_EQ(1, s.UsePad);
    EXPECT_EQ(0, s.MailBackup);
    EXPECT_EQ(0, s.MailDelete);
    EXPECT_EQ(0, s.MailRestore);
    EXPECT_EQ(0, s.LastKey);
    EXPECT_EQ(-1, s.DefaultKey);
    for (const Option* axis : {&s.UseX, &s.UseY, &s.UseZ, &s.UseR, &s.UseU, &s.UseV}) EXPECT_EQ(1, *axis);
    EXPECT_EQ(100, s.FluteWndX);
    EXPECT_EQ(100, s.FluteWndY);
    EXPECT_EQ(0, s.FluteSkill);
    EXPECT_EQ(100, s.TimerSize);
    EXPECT_EQ(10, s.MaxHealth);
    EXPECT_EQ(0, s.OffsetX);
    EXPECT_EQ(0, s.OffsetY);
}

TEST(DefaultOptions, LeaveTheOtherOptionsAlone) {
    Settings s;
    for (Option* o : {&s.UseKeyDefault, &s.UseKeyBackup, &s.UseFlute, &s.UpNote, &s.SideNote, &s.DownNote,
                      &s.UseAutoTimer, &s.UseTimer, &s.UseEnergy})
        *o = 7;
    StoreDefaultOptions(s);
    for (const Option* o : {&s.UseKeyDefault, &s.UseKeyBackup, &s.UseFlute, &s.UpNote, &s.SideNote,
                            &s.DownNote, &s.UseAutoTimer, &s.UseTimer, &s.UseEnergy})
        EXPECT_EQ(7, *o);
}

// Restores the process locale and LANG/LC_ALL after a test that changes them.
class LocaleGuard {
public:
    LocaleGuard() : cpp_(std::locale()), c_(std::setlocale(LC_ALL, nullptr)) {
        Save("LANG", lang_, hadLang_);
        Save("LC_ALL", lcAll_, hadLcAll_);
    }
    ~LocaleGuard() {
        Restore("LANG", lang_, hadLang_);
        Restore("LC_ALL", lcAll_, hadLcAll_);
        std::locale::global(cpp_);
        std::setlocale(LC_ALL, c_.c_str());
    }

private:
    static void Save(const char* name, std::string& value, bool& had) {
        const char* v = std::getenv(name);
        had = v != nullptr;
        value = v ? v : "";
    }
    static void Restore(const char* name, const std::string& value, bool had) {
        if (had)
            setenv(name, value.c_str(), 1);
        else
            unsetenv(name);
    }
    std::locale cpp_;
    std::string c_;
    std::string lang_, lcAll_;
    bool hadLang_ = false, hadLcAll_ = false;
};

TEST(ApplyDefaults, UnknownUserLocaleStillStoresTheDefaults) {
    LocaleGuard guard;
    unsetenv("LC_ALL");
    setenv("LANG", "xx_NOWHERE.bogus", 1);  // std::locale("") throws for it
    Settings s;
    EXPECT_NO_THROW(ApplyDefaults(s));
    EXPECT_EQ(-1, s.DefaultKey);
    EXPECT_EQ(100, s.TimerSize);
}

TEST(ApplyDefaults, InstallsTheUserLocale) {
    LocaleGuard guard;
    unsetenv("LC_ALL");
    setenv("LANG", "C.UTF-8", 1);  // glibc always has this one
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    Settings s;
    ApplyDefaults(s);
    EXPECT_EQ("C.UTF-8", std::locale().name());
    EXPECT_STREQ("C.UTF-8", std::setlocale(LC_ALL, nullptr));
}

}  // namespace
}  // namespace gkr
