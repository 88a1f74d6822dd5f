// The song-sheet panel beside the real DummyGKR: one row per playable song,
// the notes drawn in their colours, and a song played on the dummy's note
// panel starting its countdown, which survives the colours being learned.
#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "app/game_watch_win.h"
#include "app/screen/note_colors.h"
#include "dummy/scene_commands.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "resources/page_ids.h"
#include "settings/data_files.h"
#include "tests/windows/dummy_game.h"
#include "tests/windows/manager_test_support.h"
#include "tests/windows/picture.h"

namespace gkr {
namespace {

using testing::DrainMessages;
using testing::DummyGame;
using testing::Picture;
using testing::PumpUntil;
using testing::ScratchCurrentDirectory;
using testing::SettingsGuard;

class FlutePanel : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameWatch();
        dummy = std::make_unique<DummyGame>();
        if (!dummy->Started()) GTEST_SKIP() << "DummyGKR.exe is not beside the test program";
        ASSERT_NE(nullptr, dummy->Window());
        testing::WriteBytes(dir.File("SData.xml"),
                            "<Song>"
                            "<Sheet Effect1=\"attack\" Time1=\"90\" Time2=\"60\" TimeMax=\"180\">"
                            "<Note Value=\"1\"/><Note Value=\"6\"/><Note Value=\"3\"/></Sheet>"
                            "<Sheet Effect1=\"heal\" Time1=\"30\" Time2=\"30\" TimeMax=\"60\">"
                            "<Note Value=\"6\"/><Note Value=\"1\"/></Sheet>"
                            "<Sheet Effect1=\"speed\" Time1=\"60\"><Note Value=\"2\"/><Note Value=\"7\"/></Sheet>"
                            "</Song>");
        LoadSongSheets(SongSheets::Instance(), dir.File("SData.xml"));
        SongSheets::Instance().ComputeKeys();
        Settings& s = Settings::Instance();
        s.OffsetX = s.OffsetY = 0;
        s.UseAutoTimer = 0;
        s.UseFlute = 1;
        s.FluteSkill = 0;
        parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        FluteWnd::Instance().Close();
        if (parent) DestroyWindow(parent);
        DrainMessages();
        dummy.reset();
        testing::WriteBytes(dir.File("SData.xml"), "<Song />");
        LoadSongSheets(SongSheets::Instance(), dir.File("SData.xml"));
    }
    // The instrument's notes as the page shows them, then the panel.
    HWND Open(int32_t up, int32_t down, int32_t side) {
        Settings& s = Settings::Instance();
        s.UpNote = up;
        s.DownNote = down;
        s.SideNote = side;
        HWND panel = FluteWnd::Instance().Create();
        EXPECT_NE(nullptr, FluteDlg::Instance().Create(parent));
        DrainMessages();
        return panel;
    }
    // Game-watch and note-panel passes until `done` (the display takes a moment).
    bool WatchUntil(const std::function<bool()>& done) {
        return PumpUntil(
            [&] {
                TaskGameWatch();
                TaskNotePanel();
                return done();
            },
            5000);
    }

    SettingsGuard settings;
    ScratchCurrentDirectory dir;
    testing::MailboxWindow mailbox;
    std::unique_ptr<DummyGame> dummy;
    HWND parent = nullptr;
};

TEST_F(FlutePanel, OneRowPerPlayableSongWithItsNotesInTheirColours) {
    HWND panel = Open(1, 3, 6);
    ASSERT_NE(nullptr, panel);
    ASSERT_EQ(2u, FluteWnd::Instance().SongCount()) << "1-6-3 and 6-1; 2-7 is not this instrument's";
    RECT client = {}, outer = {};
    GetClientRect(panel, &client);
    GetWindowRect(panel, &outer);
    const SheetFontMetrics metrics = SheetMetrics();
    ASSERT_GT(metrics.lineHeight, 0);
    EXPECT_EQ(2 * metrics.lineHeight, client.bottom) << "rows x the font's own line height";
    EXPECT_EQ(230, outer.right - outer.left);

    Picture drawn(panel);
    ASSERT_TRUE(drawn.Ok());
    // Each note cell of row 0 holds its note's exact colour, and no other
    // note's (white, note 7, is the background).
    const int32_t notes[] = {1, 6, 3};
    for (int i = 0; i < 3; ++i) {
        int own = 0, foreign = 0;
        for (int y = 0; y < metrics.lineHeight; ++y)
            for (int x = i * metrics.charWidth; x < (i + 1) * metrics.charWidth; ++x)
                for (const NoteColor& c : NoteColorTable)
                    if (c.code != 7 && drawn.At(x, y) == RGB(c.r, c.g, c.b)) (c.code == notes[i] ? own : foreign)++;
        EXPECT_GT(own, 0) << "note " << i;
        EXPECT_EQ(0, foreign) << "note " << i;
    }
}

TEST_F(FlutePanel, APlayedSongCountsDownAndKeepsItWhenItsColoursAreLearned) {
    // The instrument is not known yet: 1-6-3 is not listed before it is played.
    HWND panel = Open(1, 2, 6);
    ASSERT_NE(nullptr, panel);
    ASSERT_EQ(1u, FluteWnd::Instance().SongCount());
    dummy->Command(dummy::NotePanelCommand(3, 6, 1));  // shown most recent first
    ASSERT_TRUE(WatchUntil([] { return FluteWnd::Instance().SongCount() == 2; }))
        << "the colours 1, 3 and 6 were not learned";
    EXPECT_EQ(3, Settings::Instance().DownNote.load());
    const EffectFace face = FluteWnd::Instance().FaceOf(0);
    EXPECT_EQ(kEffectFirstPlay, face.state) << "the rebuilt list kept the countdown";
    EXPECT_GE(face.secondsLeft, 85);
    EXPECT_LE(face.secondsLeft, 90);
    EXPECT_TRUE(GetWindowLongW(panel, GWL_STYLE) & WS_VISIBLE);

    dummy->Command(dummy::kCmdHideNotePanel);
    EXPECT_TRUE(WatchUntil([&] { return !(GetWindowLongW(panel, GWL_STYLE) & WS_VISIBLE); }))
        << "hidden with the game's note panel";
}

TEST_F(FlutePanel, WithNoPlayableSongLeftTheCaptionAloneRemains) {
    HWND panel = Open(1, 3, 6);
    ASSERT_NE(nullptr, panel);
    ASSERT_EQ(2u, FluteWnd::Instance().SongCount());
    // Up and down notes 4 and 5: no song of the file is playable any more.
    HWND page = FluteDlg::Instance().handle;
    for (int id : {IDC_FLUTE_UPNOTE, IDC_FLUTE_DOWNNOTE}) {
        SendDlgItemMessageW(page, id, CB_SETCURSEL, id == IDC_FLUTE_UPNOTE ? 3 : 4, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    }
    EXPECT_EQ(0u, FluteWnd::Instance().SongCount());
    RECT client = {}, outer = {};
    GetClientRect(panel, &client);
    GetWindowRect(panel, &outer);
    EXPECT_EQ(0, client.bottom) << "no rows";
    EXPECT_GT(outer.bottom - outer.top, 0) << "the caption stays";
    EXPECT_EQ(230, outer.right - outer.left);
}

}  // namespace
}  // namespace gkr
