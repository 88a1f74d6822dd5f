#include "app/defaults.h"

#include <clocale>
#include <locale>
#include <stdexcept>
#include <utility>

#include "app/dispatch_codes.h"

namespace gkr {

namespace {

// The action names as stored in conf.xml: narrow text in code page 949.
// Their order is the action codes' order.
const char* const kActionNames[dispatch::ActionCount] = {
    "\xc5\xb8\xc0\xcc\xb8\xd3 \xbd\xc3\xc0\xdb",                  // 타이머 시작
    "\xc5\xb8\xc0\xcc\xb8\xd3 \xc1\xbe\xb7\xe1",                  // 타이머 종료
    "\xc5\xb8\xc0\xcc\xb8\xd3 \xbc\xfb\xb1\xe2\xb1\xe2",          // 타이머 숨기기
    "\xc5\xb8\xc0\xcc\xb8\xd3 \xba\xb8\xc0\xcc\xb1\xe2",          // 타이머 보이기
    "\xbf\xa1\xb3\xca\xc1\xf6\xb9\xd9 \xbc\xfb\xb1\xe2\xb1\xe2",  // 에너지바 숨기기
    "\xbf\xa1\xb3\xca\xc1\xf6\xb9\xd9 \xba\xb8\xc0\xcc\xb1\xe2",  // 에너지바 보이기
    "\xbe\xc7\xba\xb8 \xbc\xfb\xb1\xe2\xb1\xe2",                  // 악보 숨기기
    "\xbe\xc7\xba\xb8 \xba\xb8\xc0\xcc\xb1\xe2",                  // 악보 보이기
};

}  // namespace

void InstallUserLocale() {
    // MinGW's libstdc++ knows only the "C" locale and throws for any other
    // name; the C runtime below still picks up the user's code page.
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
    }
    std::setlocale(LC_ALL, "");
}

void StoreDefaultOptions(Settings& s) {
    s.UseKey = 1;
    s.UsePad = 1;
    s.MailBackup = 0;
    s.MailDelete = 0;
    s.MailRestore = 0;
    s.LastKey = 0;
    s.DefaultKey = -1;  // no default key configuration chosen
    s.UseX = 1;
    s.UseY = 1;
    s.UseZ = 1;
    s.UseR = 1;
    s.UseU = 1;
    s.UseV = 1;
    s.FluteWndX = 100;
    s.FluteWndY = 100;
    s.FluteSkill = 0;
    s.TimerSize = 100;
    s.MaxHealth = 10;
    s.OffsetX = 0;
    s.OffsetY = 0;
}

void ApplyDefaults(Settings& settings) {
    InstallUserLocale();
    StoreDefaultOptions(settings);
}

void BuildDefaultActionList(Settings& settings) {
    AccelList list;
    list.reserve(dispatch::ActionCount);
    for (int32_t action = 0; action < dispatch::ActionCount; ++action) {
        Accel accel;
        accel.name = kActionNames[action];
        accel.num = action;
        list.push_back(std::move(accel));
    }
    settings.accels.Publish(std::move(list));
}

}  // namespace gkr
