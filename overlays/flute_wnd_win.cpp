#include "overlays/flute_wnd_win.h"

#include <string>

#include "app/framework/clock_win.h"
#include "app/framework/contract.h"
#include "app/framework/double_buffer_win.h"
#include "app/framework/mail_messages.h"
#include "app/framework/mailbox_win.h"
#include "app/framework/worker_wake_win.h"
#include "app/game/game_window_win.h"
#include "app/screen/note_colors.h"
#include "overlays/overlay_procedure_win.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_win.h"
#include "app/framework/scoped_win.h"
#include "overlays/overlay_geometry.h"
#include "overlays/overlay_messages.h"
#include "settings/settings.h"
#include "settings/text_convert.h"

namespace gkr {

namespace {

const wchar_t kNoteGlyph[] = L"\u266A";

ScopedFont CreateSheetFont() {
    return ScopedFont(CreateFontW(10, 0, 0, 0, 0, FALSE, FALSE, FALSE, HANGEUL_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_STROKE_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_ROMAN, L"굴림"));
}

// One row as the paint draws it.
struct RowPicture {
    std::vector<int32_t> notes;
    EffectFace face;
    const std::string* effect;  // the song's Effect1; the song list is never freed
};

// The glyph in a shade halfway to grey all around, then in the note's colour.
void DrawNote(HDC dc, int x, int y, const NoteColor& color) {
    SetTextColor(dc, RGB((color.r + 128) / 2, (color.g + 128) / 2, (color.b + 128) / 2));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) TextOutW(dc, x + dx, y + dy, kNoteGlyph, 1);
    SetTextColor(dc, RGB(color.r, color.g, color.b));
    TextOutW(dc, x, y, kNoteGlyph, 1);
}

}  // namespace

SheetFontMetrics SheetMetrics() {
    static const SheetFontMetrics metrics = [] {
        SheetFontMetrics m;
        MemoryDC dc(nullptr);
        ScopedFont font = CreateSheetFont();
        SelectScope selected(dc.Get(), font.Get());
        TEXTMETRICW tm = {};
        if (selected.Ok() && GetTextMetricsW(dc.Get(), &tm)) {
            m.lineHeight = tm.tmHeight;
            m.charWidth = tm.tmMaxCharWidth;
        }
        return m;
    }();
    return metrics;
}

FluteWnd::FluteWnd() : board_(std::make_shared<const SheetBoard>()), drawn_(board_) { published_.PublishMade(board_); }

Procedure FluteWnd::DialogProc() { return &StaticProcedure<FluteWnd>; }

LRESULT FluteWnd::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (TopLevelOverlayMessage(window, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_MOVE:
        Reshape(window);  // the panel may be dragged over pixels the screen reading examines
        break;
    case WM_EXITSIZEMOVE:                // the system's move by the caption (a child panel)
    case kOverlayMovedByPlayerMessage:   // the panel's own (a top-level one)
        // Only the player's moves are kept: never our placing of the panel,
        // following the game, or bringing a far place inside a smaller window.
        StorePosition(window);
        break;
    case WM_SIZE:
    case kReshapeOverlayMessage:
        Reshape(window);
        break;
    case WM_CLOSE:
        // The caption's close box switches the panel off for good: the
        // user-interface thread, which alone writes the settings, is told.
        PostMail(kMailPanelClosed);
        DestroyWindow(window);
        return 1;
    default:
        break;
    }
    return OverlayWindowMessage(*this, window, message, wParam, lParam,
                                [this](HDC dc, int width, int height) { Draw(dc, width, height); });
}

void FluteWnd::Reshape(HWND window) {
    RECT outer = {};
    GetWindowRect(window, &outer);
    SetOverlayRegion(window, ScopedRegion(CreateRectRgn(0, 0, outer.right - outer.left, outer.bottom - outer.top)));
}

void FluteWnd::StorePosition(HWND window) {
    // Only a move of the shown panel over a game window of real size: a
    // minimised game's client area gives no place to keep. The user-interface
    // thread keeps it, while it knows the game's note panel is on screen.
    if (!IsWindowVisible(window)) return;
    const HWND game = OverlayGameWindow();
    RECT client = {};
    if (!game || !GetClientRect(game, &client) || client.right <= 0 || client.bottom <= 0) return;
    const RECT place = OverlayRectInGame(window);
    PostMail(kMailPanelMoved, static_cast<WPARAM>(static_cast<INT_PTR>(place.left)), static_cast<LPARAM>(place.top));
}

void FluteWnd::Publish(SheetBoard board, bool refit) {
    auto next = std::make_shared<const SheetBoard>(std::move(board));
    board_ = next;
    published_.PublishMade(next);
    // The worker's next face change and repaint are the new board's.
    WakeWorker();
    OverlayThread::Instance().Post([this, next, refit] {
        drawn_ = next;
        if (refit) FitToRows();
        else if (HWND window = Live()) InvalidateRect(window, nullptr, FALSE);
    });
}

void FluteWnd::OnNotes(const int32_t notes[5]) {
    SheetBoard next = *board_;
    if (const Sheet* song = FindPlayedSong(SongSheets::Instance(), notes))
        next.effects.OnPlay(*song, PerformanceCount(), PerformanceFrequency(),
                            Settings::Instance().FluteSkill.load() != 0);
    Publish(std::move(next), false);
}

void FluteWnd::Reset() {
    SheetBoard next = *board_;
    next.effects.Reset(next.songs);
    Publish(std::move(next), true);
}

void FluteWnd::SetSongs(std::vector<const Sheet*> songs) {
    SheetBoard next = *board_;
    next.songs = std::move(songs);
    next.effects.Relist(next.songs);
    Publish(std::move(next), true);
}

void FluteWnd::Present(bool shown, bool fit) {
    OverlayThread::Instance().Post([this, shown, fit] {
        HWND panel = Live();
        if (!panel) return;
        if (fit) InvalidateRect(panel, nullptr, TRUE);
        if (shown) {
            PlaceForShowing();
            if (fit) FitToRows();
        }
        ShowOverlayNow(panel, shown);
    });
}

EffectFace FluteWnd::FaceOf(size_t row) const {
    const SheetBoard& board = *board_;
    return row < board.songs.size()
               ? board.effects.Face(board.songs[row]->NoteVal, PerformanceCount(), PerformanceFrequency())
               : EffectFace{};
}

void FluteWnd::FitToRows() {
    HWND window = Live();
    if (!window) return;
    const int clientHeight = static_cast<int>(drawn_->songs.size()) * SheetMetrics().lineHeight;
    RECT client = {}, outer = {};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    const int frame = (outer.bottom - outer.top) - (client.bottom - client.top);
    ResizeOverlay(window, kSheetWidth, clientHeight + frame);
    // A top-level panel stays above its game by being owned by it, never above other programs.
    if (ActiveOverlayMode() == OverlayMode::Child)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    InvalidateRect(window, nullptr, FALSE);
}

void FluteWnd::RefreshIfChanged() {
    HWND window = Live();
    if (!window) return;
    const std::shared_ptr<const SheetBoard> board = published_.Snapshot();
    if (board != repaintBoard_) {
        repaintBoard_ = board;
        repaint_.Invalidate();  // a new list, a play or a reset
    }
    std::vector<EffectFace> faces;
    const int64_t now = PerformanceCount();
    for (const Sheet* song : board->songs) faces.push_back(board->effects.Face(song->NoteVal, now, PerformanceFrequency()));
    if (repaint_.Due(faces)) RepaintOverlay(window);
}

std::optional<int64_t> FluteWnd::NextFaceChange(int64_t now) const {
    return published_.Snapshot()->effects.NextFaceChange(now, PerformanceFrequency());
}

void FluteWnd::Draw(HDC dc, int width, int height) {
    std::vector<RowPicture> rows;
    const int64_t now = PerformanceCount();
    for (const Sheet* song : drawn_->songs)
        rows.push_back(RowPicture{song->notes, drawn_->effects.Face(song->NoteVal, now, PerformanceFrequency()), &song->Effect1});
    DoubleBuffer buffer(surface_, dc, width, height);
    if (!buffer.Ok()) return;
    HDC memory = buffer.Dc();
    const RECT client = {0, 0, width, height};
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (!font_) font_ = CreateSheetFont();  // kept: a paint a second needs no new font
    SelectScope selected(memory, font_.Get());
    TEXTMETRICW tm = {};
    GetTextMetricsW(memory, &tm);
    const int h = tm.tmHeight, w = tm.tmMaxCharWidth;
    SetBkMode(memory, TRANSPARENT);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int y = static_cast<int>(r) * h;
        for (size_t i = 0; i < rows[r].notes.size(); ++i)
            if (const NoteColor* color = FindNoteColor(rows[r].notes[i])) DrawNote(memory, int(i) * w, y, *color);
        // A name that is not code page 949 shows as replacement characters.
        const std::wstring text = SheetRowText(rows[r].face, DisplayText(*rows[r].effect));
        SetTextColor(memory, RGB(0, 0, 0));
        TextOutW(memory, 5 * w, y, text.c_str(), static_cast<int>(text.size()));
    }
    buffer.CopyOut();
}

POINT FluteWnd::ShownPosition(bool* clamped) {
    // A position saved for a larger game window would leave the panel out of
    // reach, so it is brought inside the client area for showing; the stored
    // one stays as the player left it. A game with no real size (minimised)
    // has no area to bring it into.
    const Settings& s = Settings::Instance();
    POINT at = {s.FluteWndX.load(), s.FluteWndY.load()};
    RECT client = {};
    HWND game = OverlayGameWindow();
    const bool sized = game && GetClientRect(game, &client) && client.right > 0 && client.bottom > 0;
    if (sized) {
        at.x = ClampSheetPosition(at.x, client.right);
        at.y = ClampSheetPosition(at.y, client.bottom);
    }
    if (clamped) *clamped = sized;
    return at;
}

void FluteWnd::PlaceForShowing() {
    HWND window = Live();
    if (!window || IsWindowVisible(window)) return;  // a shown panel is where the player put it
    bool clamped = false;
    const POINT at = ShownPosition(&clamped);
    if (!clamped) return;  // a minimised game: placed when it has a size again
    const RECT now = OverlayRectInGame(window);
    if (now.left != at.x || now.top != at.y) MoveOverlayToNow(window, at.x, at.y);
}

HWND FluteWnd::Create() {
    if (!OverlayGameWindow()) return nullptr;
    Close();

    // Created hidden: the page's sync shows it while the setting and the note panel are both on.
    const POINT at = ShownPosition(nullptr);
    const OverlayLook look = {kFluteWndClass, L"악보", WS_CHILD | WS_CAPTION | WS_SYSMENU,
                              WS_EX_TOOLWINDOW | WS_EX_TOPMOST, at.x, at.y, kSheetWidth, kSheetCreateHeight};
    HWND window = CreateOverlay(*this, look);
    if (!window) return nullptr;
    PlaceOverlayNow(window, at.x, at.y, kSheetWidth, kSheetCreateHeight, FALSE);
    FitToRows();
    return window;
}

}  // namespace gkr
