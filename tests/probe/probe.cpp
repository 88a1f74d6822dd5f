// probe.exe: a small console tool the end-to-end tests use to look at and drive
// other processes' windows under Wine. Every command prints plain lines; exit
// code 0 = done, 1 = condition not met (not found, time-out), 2 = bad usage.
//
//   find CLASS [TITLE] [TIMEOUT_MS]      window 0x... pid N
//   wait-gone HWND TIMEOUT_MS             gone | exit 1
//   info HWND                             class/title/style/exstyle/parent/rect/client/visible
//   children HWND                         child 0x... id N class C visible V rect L T R B text "..."
//   text HWND [ID]                        the window's (or dialog item's) text
//   post HWND MSG WPARAM LPARAM           PostMessageW
//   send HWND MSG WPARAM LPARAM [MS]      SendMessageTimeoutW; prints the result
//   command HWND ID                       posts WM_COMMAND(ID, BN_CLICKED)
//   click HWND ID                         posts BM_CLICK to the dialog item
//   keys KEY[+KEY...]                     SendInput: presses in order, releases in reverse
//   hold KEY[+KEY...] MS                  as keys, holding them down for MS milliseconds
//   drag X1 Y1 X2 Y2                      SendInput: the left button pressed at screen X1 Y1, the
//                                         pointer moved to X2 Y2 in steps, released there
//   pixel HWND X Y                        client point read from the display: pixel X Y R G B
//   sleep MS
//   focus HWND                            pointer into the client area, window to the foreground
//   foreground                            the foreground window: foreground 0x... class C (0x0 for none)
//   menu HWND                             menu 0x... (the window's menu bar, 0x0 for none)
//   tab-click HWND INDEX                  posts a left click on item INDEX of tab control HWND;
//                                         prints tab-click INDEX at X Y (the item's centre)
//   wait-text HWND ID TEXT TIMEOUT_MS     until dialog item ID shows TEXT: text "..." after N ms
//                                         | exit 1 with the last text seen
//   wait-child HWND CLASS TIMEOUT_MS      until HWND has a direct child of CLASS: child 0x... after N ms
//   list-items HWND COLUMNS               every row of a list view: item R "cell" ... (COLUMNS cells)
//   wait-owned HWND CLASS TIMEOUT_MS      until a visible top-level window of CLASS owned by HWND
//                                         exists (a modal dialog): window 0x... after N ms
//   list-box HWND ID                      every item of list box ID: item I data D "text"
//   set-text HWND ID TEXT                 WM_SETTEXT to dialog item ID
//   lock-file PATH MS                     opens the file without sharing, prints held, keeps it MS
//   read-scene HWND                       the game state in the window's picture, read by GKRTimer's
//                                         own screen reading: scene gauge G max M marker K framed F notes N...
//   place HWND X Y                        moves the window (screen X Y), not waiting for its owner
//   wait-place HWND X Y MS                until the window's top-left corner is at screen X Y
//   show HWND CMD                         ShowWindowAsync(CMD): 6 minimise, 9 restore, 0 hide, 5 show
//   owned HWND                            every top-level window owned by HWND:
//                                         window 0x... class C visible V rect L T R B (screen)
//   wait-pixels HWND MS X Y R G B [...]   until every point (client of HWND, or screen for HWND 0)
//                                         shows its colour on the display: pixels after N ms
//                                         | exit 1 with the colours last seen
//   wait-no-pixels HWND MS X Y R G B [...] until no point shows its colour
//   wait-change HWND MS X Y W H           until the block at client X Y of HWND (W x H) on the
//                                         display differs from its first reading: changed after N ms
// Numbers may be decimal or 0x-hex. Several commands can be joined with ";".
// "probe serve" answers batches read from stdin, one a line (see Serve).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "app/screen/health_gauge.h"
#include "app/screen/note_colors.h"
#include "app/screen/note_panel.h"
#include "app/screen/screen_capture_win.h"

namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

void Print(const char* fmt, ...) {
    char buf[2048];
    va_list ap;
    va_start(ap, fmt);
    int n = vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    if (n > 0) fwrite(buf, 1, (size_t)n < sizeof buf ? (size_t)n : sizeof buf - 1, stdout);
    fflush(stdout);
}

long long Num(const std::wstring& s) { return wcstoll(s.c_str(), nullptr, 0); }
HWND Hwnd(const std::wstring& s) { return (HWND)(INT_PTR)Num(s); }

std::wstring WindowText(HWND h) {
    // WM_GETTEXT with a time-out: a hung target must not hang the probe.
    wchar_t buf[1024] = {};
    DWORD_PTR len = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, 1024, (LPARAM)buf, SMTO_ABORTIFHUNG, 2000, &len);
    return buf;
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

std::string Quote(const std::wstring& w) {
    std::string s = Utf8(w), out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') { out += "\\n"; continue; }
        if (c == '\r') { out += "\\r"; continue; }
        out += c;
    }
    return out + "\"";
}

struct Children { HWND parent; };

BOOL CALLBACK ListChild(HWND h, LPARAM lp) {
    HWND parent = (HWND)lp;
    if (GetParent(h) != parent) return TRUE;  // direct children only
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, parent, (POINT*)&r, 2);
    Print("child 0x%llx id %d class %s visible %d rect %ld %ld %ld %ld text %s\n",
          (unsigned long long)(INT_PTR)h, GetDlgCtrlID(h), Quote(ClassOf(h)).c_str(),
          IsWindowVisible(h) ? 1 : 0, r.left, r.top, r.right, r.bottom, Quote(WindowText(h)).c_str());
    return TRUE;
}

WORD VkOf(const std::wstring& k) {
    static const struct { const wchar_t* name; WORD vk; } names[] = {
        {L"alt", VK_MENU}, {L"ctrl", VK_CONTROL}, {L"shift", VK_SHIFT}, {L"lctrl", VK_LCONTROL},
        {L"rctrl", VK_RCONTROL}, {L"lshift", VK_LSHIFT}, {L"rshift", VK_RSHIFT}, {L"lalt", VK_LMENU},
        {L"enter", VK_RETURN}, {L"esc", VK_ESCAPE}, {L"space", VK_SPACE}, {L"tab", VK_TAB},
        {L"/", VK_OEM_2}, {L"?", VK_OEM_2}, {L"f1", VK_F1}, {L"f2", VK_F2}, {L"f3", VK_F3},
        {L"f4", VK_F4}, {L"f5", VK_F5}, {L"f6", VK_F6}, {L"f7", VK_F7}, {L"f8", VK_F8},
        {L"home", VK_HOME}, {L"end", VK_END}, {L"left", VK_LEFT}, {L"right", VK_RIGHT},
        {L"up", VK_UP}, {L"down", VK_DOWN}, {L"insert", VK_INSERT}, {L"delete", VK_DELETE},
    };
    for (auto& n : names)
        if (_wcsicmp(n.name, k.c_str()) == 0) return n.vk;
    if (k.size() == 1 && iswalnum(k[0])) return (WORD)towupper(k[0]);
    return (WORD)Num(k);
}

void MouseAt(int x, int y, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    SendInput(1, &in, sizeof(INPUT));
}

// A real drag, as the player's mouse makes it: pauses between the steps let
// the dragged window see each position.
int Drag(int x1, int y1, int x2, int y2) {
    MouseAt(x1, y1, 0);
    Sleep(50);
    MouseAt(x1, y1, MOUSEEVENTF_LEFTDOWN);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i) {
        Sleep(30);
        MouseAt(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps, 0);
    }
    Sleep(100);
    MouseAt(x2, y2, MOUSEEVENTF_LEFTUP);
    Print("dragged %d %d to %d %d\n", x1, y1, x2, y2);
    return 0;
}

int Keys(const std::wstring& combo, DWORD holdMs) {
    std::vector<WORD> vks;
    size_t start = 0;
    while (start <= combo.size()) {
        size_t plus = combo.find(L'+', start + 1);  // "+" right after a separator is a key itself
        if (plus == std::wstring::npos) plus = combo.size();
        vks.push_back(VkOf(combo.substr(start, plus - start)));
        start = plus + 1;
    }
    // The right-hand Ctrl and Alt share their scan codes with the left ones;
    // only the extended flag tells them apart.
    const auto flags = [](WORD vk) -> DWORD { return vk == VK_RCONTROL || vk == VK_RMENU ? KEYEVENTF_EXTENDEDKEY : 0; };
    std::vector<INPUT> in;
    for (WORD vk : vks) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        i.ki.dwFlags = flags(vk);
        in.push_back(i);
    }
    for (auto it = vks.rbegin(); it != vks.rend(); ++it) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *it;
        i.ki.wScan = (WORD)MapVirtualKeyW(*it, MAPVK_VK_TO_VSC);
        i.ki.dwFlags = KEYEVENTF_KEYUP | flags(*it);
        in.push_back(i);
    }
    // Press all, hold so pollers see the keys down, then release.
    size_t half = vks.size();
    SendInput((UINT)half, in.data(), sizeof(INPUT));
    Sleep(holdMs);
    SendInput((UINT)(in.size() - half), in.data() + half, sizeof(INPUT));
    Print("keys sent %d\n", (int)vks.size());
    return 0;
}

// A few bytes in another process's memory, for control messages whose lParam
// points to a structure: Wine passes such an lParam on unchanged, so it must
// be an address in the control's own process.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Ok() const { return address_ != nullptr; }
    LPARAM Address() const { return (LPARAM)address_; }
    bool Read(void* out) const { return ReadProcessMemory(process_, address_, out, size_, nullptr) != 0; }
    bool ReadAt(SIZE_T offset, void* out, SIZE_T n) const {
        return offset + n <= size_ && ReadProcessMemory(process_, (char*)address_ + offset, out, n, nullptr) != 0;
    }
    bool Write(const void* in, SIZE_T n) const {
        return n <= size_ && WriteProcessMemory(process_, address_, in, n, nullptr) != 0;
    }

private:
    SIZE_T size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

int TabClick(HWND tab, int index) {
    if (!IsWindow(tab)) { Print("no window\n"); return 1; }
    RemoteBuffer remote(tab, sizeof(RECT));
    if (!remote.Ok()) { Print("no remote memory\n"); return 1; }
    const UINT kGetItemRect = 0x1300 + 10;  // TCM_GETITEMRECT
    DWORD_PTR found = 0;
    RECT r{};
    if (!SendMessageTimeoutW(tab, kGetItemRect, (WPARAM)index, remote.Address(), SMTO_ABORTIFHUNG, 5000, &found) ||
        !found || !remote.Read(&r)) {
        Print("no tab item %d\n", index);
        return 1;
    }
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    const BOOL ok = PostMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)) &&
                    PostMessageW(tab, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Print("tab-click %d at %d %d\n", index, x, y);
    return ok ? 0 : 1;
}

// Every row of a list view, its first `columns` cells: item R "cell" "cell" ...
int ListItems(HWND list, int columns) {
    if (!IsWindow(list)) { Print("no window\n"); return 1; }
    const UINT kGetItemCount = 0x1000 + 4, kGetItemText = 0x1000 + 115;  // LVM_GETITEMCOUNT, LVM_GETITEMTEXTW
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, kGetItemCount, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) { Print("no answer\n"); return 1; }
    const int kChars = 512;
    RemoteBuffer remote(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.Ok()) { Print("no remote memory\n"); return 1; }
    for (int row = 0; row < (int)count; ++row) {
        std::string line = "item " + std::to_string(row);
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = (LPWSTR)(remote.Address() + sizeof(LVITEMW));
            item.cchTextMax = kChars;
            wchar_t text[kChars] = {};
            DWORD_PTR length = 0;
            if (remote.Write(&item, sizeof item) &&
                SendMessageTimeoutW(list, kGetItemText, (WPARAM)row, remote.Address(), SMTO_ABORTIFHUNG, 5000, &length))
                remote.ReadAt(sizeof(LVITEMW), text, sizeof(wchar_t) * (kChars - 1));
            line += " " + Quote(text);
        }
        Print("%s\n", line.c_str());
    }
    return 0;
}

// Every item of a list box with its item data: item I data D "text"
int ListBoxItems(HWND list) {
    if (!IsWindow(list)) { Print("no window\n"); return 1; }
    const UINT kGetCount = 0x018B, kGetText = 0x0189, kGetTextLen = 0x018A, kGetItemData = 0x0199;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, kGetCount, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) { Print("no answer\n"); return 1; }
    for (int i = 0; i < (int)count; ++i) {
        DWORD_PTR length = 0, data = 0;
        SendMessageTimeoutW(list, kGetTextLen, (WPARAM)i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        std::vector<wchar_t> text(length + 1, L'\0');
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, kGetText, (WPARAM)i, (LPARAM)text.data(), SMTO_ABORTIFHUNG, 5000, &ignored);
        SendMessageTimeoutW(list, kGetItemData, (WPARAM)i, 0, SMTO_ABORTIFHUNG, 5000, &data);
        Print("item %d data %lld %s\n", i, (long long)(LONG_PTR)data, Quote(text.data()).c_str());
    }
    return 0;
}

struct ChildSearch {
    HWND parent;
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK FindChildOfClass(HWND h, LPARAM lp) {
    ChildSearch* search = (ChildSearch*)lp;
    if (GetParent(h) != search->parent || ClassOf(h) != search->cls) return TRUE;
    search->found = h;
    return FALSE;
}

int WaitText(HWND dialog, int id, const std::wstring& want, DWORD timeout) {
    const DWORD start = GetTickCount();
    std::wstring seen;
    for (;;) {
        HWND item = GetDlgItem(dialog, id);
        if (item) seen = WindowText(item);
        if (item && seen == want) {
            Print("text %s after %lu ms\n", Quote(seen).c_str(), GetTickCount() - start);
            return 0;
        }
        if (!IsWindow(dialog) || GetTickCount() - start >= timeout) break;
        Sleep(20);
    }
    Print("still %s\n", Quote(seen).c_str());
    return 1;
}

int WaitChild(HWND parent, const std::wstring& cls, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        ChildSearch search{parent, cls.c_str(), nullptr};
        EnumChildWindows(parent, FindChildOfClass, (LPARAM)&search);
        if (search.found) {
            Print("child 0x%llx after %lu ms\n", (unsigned long long)(INT_PTR)search.found, GetTickCount() - start);
            return 0;
        }
        if (!IsWindow(parent) || GetTickCount() - start >= timeout) break;
        Sleep(20);
    }
    Print("no child\n");
    return 1;
}

BOOL CALLBACK ListOwned(HWND h, LPARAM lp) {
    if (GetWindow(h, GW_OWNER) != (HWND)lp) return TRUE;
    RECT r{};
    GetWindowRect(h, &r);
    Print("window 0x%llx class %s visible %d rect %ld %ld %ld %ld\n", (unsigned long long)(INT_PTR)h,
          Quote(ClassOf(h)).c_str(), IsWindowVisible(h) ? 1 : 0, r.left, r.top, r.right, r.bottom);
    return TRUE;
}

struct PixelWant {
    POINT at;
    COLORREF color;
};

// The display's colour at a screen point; one small copy each.
COLORREF ScreenColor(HDC screen, POINT p) {
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, 1, 1, screen, p.x, p.y, SRCCOPY);
    COLORREF c = GetPixel(mem, 0, 0);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return c;
}

// The display's pixels of a screen block.
std::vector<unsigned char> ScreenBlock(HDC screen, POINT at, int width, int height) {
    std::vector<unsigned char> bits(size_t(width) * size_t(height) * 4);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, at.x, at.y, SRCCOPY);
    bits.resize(size_t(std::max(0L, GetBitmapBits(bmp, LONG(bits.size()), bits.data()))));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return bits;
}

// Polls the display until a block of the window's client area differs from
// its first reading.
int WaitChange(HWND h, DWORD timeout, POINT at, int width, int height) {
    if (!IsWindow(h) || width <= 0 || height <= 0) return 2;
    HDC screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    const DWORD start = GetTickCount();
    std::vector<unsigned char> first;
    int code = 1;
    for (;;) {
        POINT p = at;
        ClientToScreen(h, &p);
        const std::vector<unsigned char> now = ScreenBlock(screen, p, width, height);
        if (first.empty()) first = now;
        else if (now != first) {
            Print("changed after %lu ms\n", GetTickCount() - start);
            code = 0;
            break;
        }
        if (GetTickCount() - start >= timeout) {
            Print("unchanged for %lu ms\n", timeout);
            break;
        }
        Sleep(5);
    }
    DeleteDC(screen);
    return code;
}

// Polls the display until every point shows its colour (all = true) or no
// point does (all = false). Client points follow the window as it moves.
int WaitPixels(const std::vector<std::wstring>& a, bool all) {
    HWND h = Hwnd(a[1]);
    const DWORD timeout = (DWORD)Num(a[2]);
    std::vector<PixelWant> wants;
    for (size_t i = 3; i + 4 < a.size(); i += 5) {
        wants.push_back({{(LONG)Num(a[i]), (LONG)Num(a[i + 1])},
                         RGB((int)Num(a[i + 2]), (int)Num(a[i + 3]), (int)Num(a[i + 4]))});
    }
    if (wants.empty() || (h && !IsWindow(h))) return 2;
    HDC screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    const DWORD start = GetTickCount();
    std::string seen;
    for (;;) {
        int matching = 0;
        seen.clear();
        for (const PixelWant& w : wants) {
            POINT p = w.at;
            if (h) ClientToScreen(h, &p);
            const COLORREF c = ScreenColor(screen, p);
            matching += c == w.color;
            char item[64];
            snprintf(item, sizeof item, " %ld,%ld=%d,%d,%d", w.at.x, w.at.y, GetRValue(c), GetGValue(c), GetBValue(c));
            seen += item;
        }
        if (all ? matching == (int)wants.size() : matching == 0) {
            DeleteDC(screen);
            Print("pixels after %lu ms\n", GetTickCount() - start);
            return 0;
        }
        if (GetTickCount() - start >= timeout) break;
        Sleep(5);
    }
    DeleteDC(screen);
    Print("pixels not so after %lu ms:%s\n", timeout, seen.c_str());
    return 1;
}

struct OwnedSearch {
    HWND owner;
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND h, LPARAM lp) {
    OwnedSearch* search = (OwnedSearch*)lp;
    if (GetWindow(h, GW_OWNER) != search->owner || !IsWindowVisible(h) || ClassOf(h) != search->cls) return TRUE;
    search->found = h;
    return FALSE;
}

int WaitOwned(HWND owner, const std::wstring& cls, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        OwnedSearch search{owner, cls.c_str(), nullptr};
        EnumWindows(FindOwned, (LPARAM)&search);
        if (search.found) {
            Print("window 0x%llx after %lu ms\n", (unsigned long long)(INT_PTR)search.found, GetTickCount() - start);
            return 0;
        }
        if (!IsWindow(owner) || GetTickCount() - start >= timeout) break;
        Sleep(20);
    }
    Print("no window\n");
    return 1;
}

// The same captures and rules as the game watch, so a test of what a game
// window shows never restates how it is read.
int ReadScene(HWND window) {
    if (!IsWindow(window)) { Print("no window\n"); return 1; }
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    static gkr::CaptureBuffer strip, column, panel;
    const gkr::HealthGaugeReading gauge =
        gkr::ReadHealthGauge(gkr::CaptureBlock(screen, origin, gkr::HealthStripRect(client.right), strip));
    const bool marker = gkr::HasNotePanelMarker(gkr::CaptureBlock(screen, origin, gkr::kMarkerColumnRect, column));
    const gkr::NoteSlots slots = gkr::ReadNoteSlots(gkr::CaptureBlock(screen, origin, gkr::kNotePanelRect, panel));
    DeleteDC(screen);
    std::string notes;
    for (int i = 0; i < slots.filled; ++i) notes += " " + std::to_string(gkr::MatchNoteColor(slots.colors[(size_t)i]));
    Print("scene gauge %d max %d marker %d framed %d notes%s\n", gauge.present ? 1 : 0, (int)gauge.maxHealth,
          marker ? 1 : 0, slots.framed ? 1 : 0, notes.c_str());
    return 0;
}

int Run(const std::vector<std::wstring>& a) {
    if (a.empty()) return 2;
    const std::wstring& cmd = a[0];
    auto need = [&](size_t n) { return a.size() >= n + 1; };

    if (cmd == L"find" && need(1)) {
        const wchar_t* title = a.size() >= 3 && !a[2].empty() ? a[2].c_str() : nullptr;
        DWORD timeout = a.size() >= 4 ? (DWORD)Num(a[3]) : 0;
        DWORD start = GetTickCount();
        for (;;) {
            HWND h = FindWindowW(a[1].c_str(), title);
            if (h) {
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                Print("window 0x%llx pid %lu\n", (unsigned long long)(INT_PTR)h, pid);
                return 0;
            }
            if (GetTickCount() - start >= timeout) break;
            Sleep(50);
        }
        Print("not found\n");
        return 1;
    }
    if (cmd == L"wait-gone" && need(2)) {
        HWND h = Hwnd(a[1]);
        DWORD timeout = (DWORD)Num(a[2]), start = GetTickCount();
        while (IsWindow(h)) {
            if (GetTickCount() - start >= timeout) { Print("still there\n"); return 1; }
            Sleep(50);
        }
        Print("gone\n");
        return 0;
    }
    if (cmd == L"info" && need(1)) {
        HWND h = Hwnd(a[1]);
        if (!IsWindow(h)) { Print("no window\n"); return 1; }
        RECT r{}, c{};
        GetWindowRect(h, &r);
        GetClientRect(h, &c);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        Print("class %s\n", Quote(ClassOf(h)).c_str());
        Print("title %s\n", Quote(WindowText(h)).c_str());
        Print("style 0x%08lx\n", (unsigned long)GetWindowLongW(h, GWL_STYLE));
        Print("exstyle 0x%08lx\n", (unsigned long)GetWindowLongW(h, GWL_EXSTYLE));
        Print("parent 0x%llx\n", (unsigned long long)(INT_PTR)GetParent(h));
        Print("pid %lu\n", pid);
        Print("rect %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        Print("client %ld %ld\n", c.right, c.bottom);
        Print("origin %ld %ld\n", origin.x, origin.y);
        Print("visible %d\n", IsWindowVisible(h) ? 1 : 0);
        return 0;
    }
    if (cmd == L"children" && need(1)) {
        HWND h = Hwnd(a[1]);
        if (!IsWindow(h)) { Print("no window\n"); return 1; }
        EnumChildWindows(h, ListChild, (LPARAM)h);
        return 0;
    }
    if (cmd == L"text" && need(1)) {
        HWND h = Hwnd(a[1]);
        if (a.size() >= 3) h = GetDlgItem(h, (int)Num(a[2]));
        if (!IsWindow(h)) { Print("no window\n"); return 1; }
        Print("%s\n", Utf8(WindowText(h)).c_str());
        return 0;
    }
    if ((cmd == L"post" || cmd == L"send") && need(4)) {
        HWND h = Hwnd(a[1]);
        UINT msg = (UINT)Num(a[2]);
        WPARAM wp = (WPARAM)Num(a[3]);
        LPARAM lp = (LPARAM)Num(a[4]);
        if (cmd == L"post") {
            BOOL ok = PostMessageW(h, msg, wp, lp);
            Print("posted %d\n", ok ? 1 : 0);
            return ok ? 0 : 1;
        }
        DWORD_PTR result = 0;
        UINT ms = a.size() >= 6 ? (UINT)Num(a[5]) : 5000;
        LRESULT ok = SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, ms, &result);
        Print("result %lld\n", (long long)result);
        return ok ? 0 : 1;
    }
    if (cmd == L"command" && need(2)) {
        BOOL ok = PostMessageW(Hwnd(a[1]), WM_COMMAND, MAKEWPARAM((WORD)Num(a[2]), BN_CLICKED), 0);
        Print("posted %d\n", ok ? 1 : 0);
        return ok ? 0 : 1;
    }
    if (cmd == L"click" && need(2)) {
        HWND item = GetDlgItem(Hwnd(a[1]), (int)Num(a[2]));
        BOOL ok = item && PostMessageW(item, BM_CLICK, 0, 0);
        Print("posted %d\n", ok ? 1 : 0);
        return ok ? 0 : 1;
    }
    if (cmd == L"keys" && need(1)) return Keys(a[1], 250);
    if (cmd == L"hold" && need(2)) return Keys(a[1], (DWORD)Num(a[2]));
    if (cmd == L"drag" && need(4)) return Drag((int)Num(a[1]), (int)Num(a[2]), (int)Num(a[3]), (int)Num(a[4]));
    if (cmd == L"pixel" && need(3)) {
        HWND h = Hwnd(a[1]);
        POINT p{(LONG)Num(a[2]), (LONG)Num(a[3])};
        if (!IsWindow(h)) { Print("no window\n"); return 1; }
        ClientToScreen(h, &p);
        HDC screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
        const COLORREF c = ScreenColor(screen, p);
        DeleteDC(screen);
        Print("pixel %s %s %d %d %d\n", Utf8(a[2]).c_str(), Utf8(a[3]).c_str(),
              GetRValue(c), GetGValue(c), GetBValue(c));
        return 0;
    }
    if (cmd == L"focus" && need(1)) {
        // Without a window manager X focus follows the pointer, so keys only
        // reach a window once the pointer is over it.
        HWND h = Hwnd(a[1]);
        if (!IsWindow(h)) { Print("no window\n"); return 1; }
        RECT c{};
        GetClientRect(h, &c);
        POINT centre{c.right / 2, c.bottom / 2};
        ClientToScreen(h, &centre);
        SetCursorPos(centre.x, centre.y);
        SetForegroundWindow(h);
        Sleep(200);
        Print("foreground %d\n", GetForegroundWindow() == h ? 1 : 0);
        return 0;
    }
    if (cmd == L"foreground") {
        HWND h = GetForegroundWindow();
        Print("foreground 0x%llx class %s\n", (unsigned long long)(INT_PTR)h, Quote(h ? ClassOf(h) : L"").c_str());
        return 0;
    }
    if (cmd == L"menu" && need(1)) {
        HWND h = Hwnd(a[1]);
        if (!IsWindow(h)) { Print("no window\n"); return 1; }
        Print("menu 0x%llx\n", (unsigned long long)(INT_PTR)GetMenu(h));
        return 0;
    }
    if (cmd == L"tab-click" && need(2)) return TabClick(Hwnd(a[1]), (int)Num(a[2]));
    if (cmd == L"list-items" && need(2)) return ListItems(Hwnd(a[1]), (int)Num(a[2]));
    if (cmd == L"wait-text" && need(4)) return WaitText(Hwnd(a[1]), (int)Num(a[2]), a[3], (DWORD)Num(a[4]));
    if (cmd == L"wait-child" && need(3)) return WaitChild(Hwnd(a[1]), a[2], (DWORD)Num(a[3]));
    if (cmd == L"wait-owned" && need(3)) return WaitOwned(Hwnd(a[1]), a[2], (DWORD)Num(a[3]));
    if (cmd == L"list-box" && need(2)) return ListBoxItems(GetDlgItem(Hwnd(a[1]), (int)Num(a[2])));
    if (cmd == L"set-text" && need(3)) {
        HWND item = GetDlgItem(Hwnd(a[1]), (int)Num(a[2]));
        DWORD_PTR ok = 0;
        if (!item || !SendMessageTimeoutW(item, WM_SETTEXT, 0, (LPARAM)a[3].c_str(), SMTO_ABORTIFHUNG, 5000, &ok) || !ok) {
            Print("not set\n");
            return 1;
        }
        Print("set\n");
        return 0;
    }
    if (cmd == L"lock-file" && need(2)) {
        HANDLE file = CreateFileW(a[1].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) { Print("not held %lu\n", GetLastError()); return 1; }
        Print("held\n");
        Sleep((DWORD)Num(a[2]));
        CloseHandle(file);
        return 0;
    }
    if (cmd == L"read-scene" && need(1)) return ReadScene(Hwnd(a[1]));
    if (cmd == L"place" && need(3)) {
        BOOL ok = SetWindowPos(Hwnd(a[1]), nullptr, (int)Num(a[2]), (int)Num(a[3]), 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        Print("placed %d\n", ok ? 1 : 0);
        return ok ? 0 : 1;
    }
    if (cmd == L"above" && need(1)) {
        HWND prev = GetWindow(Hwnd(a[1]), GW_HWNDPREV);
        Print("above 0x%llx class %s\n", (unsigned long long)(INT_PTR)prev, Quote(ClassOf(prev)).c_str());
        return 0;
    }
    if (cmd == L"wait-place" && need(4)) {
        HWND h = Hwnd(a[1]);
        const DWORD timeout = (DWORD)Num(a[4]), start = GetTickCount();
        RECT r{};
        while (GetWindowRect(h, &r) && (r.left != Num(a[2]) || r.top != Num(a[3]))) {
            if (GetTickCount() - start >= timeout) break;
            Sleep(2);
        }
        const bool there = r.left == Num(a[2]) && r.top == Num(a[3]);
        Print(there ? "placed after %lu ms\n" : "not placed after %lu ms\n", GetTickCount() - start);
        return there ? 0 : 1;
    }
    if (cmd == L"show" && need(2)) {
        BOOL ok = IsWindow(Hwnd(a[1])) && ShowWindowAsync(Hwnd(a[1]), (int)Num(a[2]));
        Print("shown %d\n", ok ? 1 : 0);
        return ok ? 0 : 1;
    }
    if (cmd == L"owned" && need(1)) {
        HWND h = Hwnd(a[1]);
        if (!IsWindow(h)) { Print("no window\n"); return 1; }
        EnumWindows(ListOwned, (LPARAM)h);
        return 0;
    }
    if (cmd == L"wait-change" && need(6))
        return WaitChange(Hwnd(a[1]), (DWORD)Num(a[2]), POINT{(LONG)Num(a[3]), (LONG)Num(a[4])}, (int)Num(a[5]),
                          (int)Num(a[6]));
    if ((cmd == L"wait-pixels" || cmd == L"wait-no-pixels") && need(7))
        return WaitPixels(a, cmd == L"wait-pixels");
    if (cmd == L"sleep" && need(1)) {
        Sleep((DWORD)Num(a[1]));
        return 0;
    }
    return 2;
}

// Runs commands joined with ";" one after another; stops at the first failure.
int RunBatch(const std::vector<std::wstring>& args) {
    std::vector<std::wstring> cmd;
    int result = 0;
    for (size_t i = 0; i <= args.size(); ++i) {
        if (i == args.size() || args[i] == L";") {
            if (cmd.empty()) continue;
            result = Run(cmd);
            if (result == 2) {
                Print("usage: see the comment at the top of probe.cpp\n");
                return 2;
            }
            if (result != 0) return result;
            cmd.clear();
        } else {
            cmd.push_back(args[i]);
        }
    }
    return result;
}

std::wstring FromUtf8(const std::string& s) {
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

// Serving keeps one process up for a whole test session, so a query costs a
// pipe round trip instead of a Wine process start. Each line on stdin is one
// batch, its arguments separated by tabs (UTF-8); after the batch's own output
// comes a line "\x1e" followed by its exit code. The end of stdin ends the probe.
int Serve() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    Print("ready\n");
    std::string pending;
    char buf[4096];
    for (;;) {
        size_t newline;
        while ((newline = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, newline);
            pending.erase(0, newline + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::vector<std::wstring> args;
            size_t start = 0;
            for (;;) {
                size_t tab = line.find('\t', start);
                args.push_back(FromUtf8(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
                if (tab == std::string::npos) break;
                start = tab + 1;
            }
            const int result = RunBatch(args);
            Print("\x1e%d\n", result);
        }
        DWORD got = 0;
        if (!ReadFile(in, buf, sizeof buf, &got, nullptr) || got == 0) return 0;
        pending.append(buf, got);
    }
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 2 && wcscmp(argv[1], L"serve") == 0) return Serve();
    return RunBatch(std::vector<std::wstring>(argv + 1, argv + argc));
}
