"""The overlays as a player on Wine sees them: top-level windows the game
window owns, read back from the screen over DummyGKR, following its moves and
hidden while it is minimised. Then the song panel's life with the game (its
stored place, its switch and close box) and two game clients at once, also
with top-level overlays, which Wine gives by itself (no mode is forced here).
The other drivers force the child mode and check the window tree."""
import os
import re
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import manager_support  # noqa: E402
from manager_support import (  # noqa: E402
    WINE, HIDE_GAUGE, HIDE_NOTE_PANEL, EMPTY_NOTE_PANEL, IDS, Dummy, GkrTimer, Manager, gauge_command, wait_until,
    work_dir, write_conf)
import gkrwine  # noqa: E402
import test_game_hang  # noqa: E402

SAMPLE_SONGS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples", "SData.xml")
WM_SYSCOMMAND, SC_CLOSE, WM_LBUTTONUP = 0x0112, 0xF060, 0x0202
BM_GETCHECK = 0x00F0
SW_HIDE, SW_SHOWNOACTIVATE, SW_MINIMIZE, SW_RESTORE = 0, 4, 6, 9
FOLLOW_LIMIT_MS = 250
READ_AFTER_MOVE_LIMIT_MS = 500
SCREEN_WIDTH = 1280  # the harness's Xvfb
HIDDEN_LIMIT_MS = 1500

GREEN, YELLOW, WHITE = (0, 128, 0), (255, 255, 0), (255, 255, 255)


def setUpModule():
    WINE.session = gkrwine.Wine()
    WINE.session.env.pop("GKR_OVERLAY_MODE", None)  # Wine's own choice: top-level


def tearDownModule():
    WINE.session.close()


def owned(game):
    """GKRTimer's overlays owned by the game window, by class: (hwnd, visible, screen rect)."""
    return {cls: (w["hwnd"], w["visible"], w["rect"])
            for cls, w in manager_support.owned_overlays(WINE.session, game).items()}


def info(hwnd):
    return dict(line.split(" ", 1) for line in WINE.session.probe_ok("info", hex(hwnd)))


def origin(hwnd):
    """The client area's top-left corner on the screen."""
    return tuple(map(int, info(hwnd)["origin"].split()))


def place(hwnd):
    """The window's top-left corner on the screen."""
    return tuple(map(int, info(hwnd)["rect"].split()[:2]))


def client_size(hwnd):
    return tuple(map(int, info(hwnd)["client"].split()))


def pixel_args(points):
    args = []
    for (x, y), color in points:
        args += [x, y, *color]
    return args


def wait_pixels(hwnd, points, timeout_ms, *before, present=True):
    """Runs `before` probe commands, then waits in the same probe for the
    points (client of hwnd, or screen for 0) to show (or all to lose) their
    colours; returns the milliseconds the waits took, or fails with what was seen."""
    command = "wait-pixels" if present else "wait-no-pixels"
    args = [*before, *([";"] if before else []), command, hex(hwnd), timeout_ms, *pixel_args(points)]
    code, lines = WINE.session.probe(*args, timeout=timeout_ms / 1000 + 30)
    assert code == 0, f"{command}: {lines}"
    return sum(int(m.group(1)) for m in map(re.compile(r" after (\d+) ms$").search, lines) if m)


class TopLevelOverlays(unittest.TestCase):
    def start(self, dummy_args, **options):
        self.cwd = work_dir()
        write_conf(self.cwd, **options)
        shutil.copy(SAMPLE_SONGS, self.cwd)
        self.dummy = Dummy(WINE.session, self.cwd, *dummy_args)
        self.addCleanup(self.dummy.close)

    def start_app(self):
        self.app = GkrTimer(WINE.session, cwd=self.cwd)
        self.addCleanup(lambda: self.app.proc.poll() is None and self.app.close_and_wait("close"))

    def wait_owned(self, timeout_s=8):
        self.assertIsNotNone(wait_until(lambda: len(owned(self.dummy.hwnd)) == 3, timeout_s),
                             f"not all three overlays: {owned(self.dummy.hwnd)}")

    def panel(self):
        return owned(self.dummy.hwnd).get("GKRFluteWnd")

    def panel_visible(self):
        """1 or 0 while the song panel exists, None without one (read once:
        the panel may go between two reads)."""
        panel = self.panel()
        return panel[1] if panel else None

    def panel_place_in_game(self):
        _, _, rect = self.panel()
        ox, oy = origin(self.dummy.hwnd)
        return rect[0] - ox, rect[1] - oy

    def saved(self):
        code, _ = self.app.close_and_wait("close", timeout=10)
        self.assertEqual(0, code)
        with open(os.path.join(self.cwd, "conf.xml"), encoding="latin-1") as f:  # code page 949 texts inside
            return dict(re.findall(r'(\w+)="([^"]*)"', f.read()))

    def test_seen_over_the_game_following_it_and_gone_while_it_is_minimised(self):
        self.start(["--gauge=120", "--notes=on"], UseEnergy=1, UseTimer=1, UseFlute=1, FluteWndX=400,
                   FluteWndY=300, UpNote=1, SideNote=6, DownNote=3)
        WINE.session.probe_ok("place", hex(self.dummy.hwnd), 30, 20)
        # In the game's client coordinates: the bar's yellow and green along
        # the gauge (390 wide for 120), the timer's white face right of its
        # digits, the song panel's white at the right end of its last row.
        bar_and_timer = [((200, 24), YELLOW), ((480, 24), GREEN), ((92, 10), WHITE)]
        self.assertIsNotNone(wait_until(lambda: place(self.dummy.hwnd) == (30, 20), 5), "the dummy did not move")
        code, lines = WINE.session.probe("wait-no-pixels", hex(self.dummy.hwnd), 0, *pixel_args(bar_and_timer))
        self.assertEqual(0, code, f"the game's own picture has these colours already: {lines}")

        self.start_app()
        self.wait_owned()
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() == 1, 8), "the song panel is not shown")
        panel, _, rect = self.panel()
        ox, oy = origin(self.dummy.hwnd)
        self.assertEqual((400, 300, 630), (rect[0] - ox, rect[1] - oy, rect[2] - ox))
        # Right of the text of the last row, inside the panel's client area.
        (px, py), (width, height) = origin(panel), client_size(panel)
        panel_white = ((px + width - 12 - ox, py + height - 3 - oy), WHITE)
        everything = bar_and_timer + [panel_white]
        wait_pixels(self.dummy.hwnd, everything, 8000)

        # A click starts the clock; its face then changes on the screen every
        # second (the worker's repaints, drawn without an invalidation).
        timer = owned(self.dummy.hwnd)["GKRTimerWnd"][0]
        WINE.session.probe_ok("post", hex(timer), WM_LBUTTONUP, 0, 50 | 10 << 16)
        digits = [20, 2, 70, 16]  # client of the game, where the seconds are drawn
        WINE.session.probe("wait-change", hex(self.dummy.hwnd), 2500, *digits)  # the click's own repaint, if seen
        code, lines = WINE.session.probe("wait-change", hex(self.dummy.hwnd), 2500, *digits)
        self.assertEqual(0, code, f"the running timer's face did not change on the screen: {lines}")

        # Counted from the request: the wait for the game window to be at its
        # new place (the client points follow it), then for the pixels.
        moved = wait_pixels(self.dummy.hwnd, everything, 3000, "place", hex(self.dummy.hwnd), 170, 90, ";",
                            "wait-place", hex(self.dummy.hwnd), 170, 90, 3000)
        print(f"\nall three seen at the new place {moved} ms after the move was asked for", file=sys.stderr)
        self.assertEqual((170, 90), place(self.dummy.hwnd))
        self.assertLessEqual(moved, FOLLOW_LIMIT_MS)

        ox, oy = origin(self.dummy.hwnd)
        on_screen = [((x + ox, y + oy), color) for (x, y), color in everything]
        gone = wait_pixels(0, on_screen, 3000, "show", hex(self.dummy.hwnd), SW_MINIMIZE, present=False)
        print(f"gone {gone} ms after the minimise was asked for", file=sys.stderr)
        self.assertLessEqual(gone, FOLLOW_LIMIT_MS)
        self.assertEqual({0}, {visible for _, visible, _ in owned(self.dummy.hwnd).values()})

        back = wait_pixels(self.dummy.hwnd, everything, 3000, "show", hex(self.dummy.hwnd), SW_RESTORE)
        print(f"back {back} ms after the restore was asked for", file=sys.stderr)
        self.assertLessEqual(back, FOLLOW_LIMIT_MS)

        # Hidden where it stands, its rectangle unchanged: seen at the latest
        # by the look at the whole frame, about once a second.
        hidden = wait_pixels(0, on_screen, 3000, "show", hex(self.dummy.hwnd), SW_HIDE, present=False)
        print(f"gone {hidden} ms after the hide was asked for", file=sys.stderr)
        self.assertLessEqual(hidden, HIDDEN_LIMIT_MS)
        wait_pixels(self.dummy.hwnd, everything, 3000, "show", hex(self.dummy.hwnd), SW_SHOWNOACTIVATE)

    def test_bar_back_soon_after_a_move_that_shows_the_gauge(self):
        # As at a drag's end under a window manager: the gauge comes with the move, right after a
        # reading hid the bar. The last place puts the client area past the screen's right edge.
        self.start(["--gauge=120"], UseEnergy=1)
        hwnd, bar = hex(self.dummy.hwnd), [((200, 24), YELLOW), ((480, 24), GREEN)]
        self.start_app()
        wait_pixels(self.dummy.hwnd, bar, 8000)
        times = []
        for x, y in ((170, 90), (60, 40), (SCREEN_WIDTH + 100 - client_size(self.dummy.hwnd)[0], 60)):
            wait_pixels(self.dummy.hwnd, bar, 3000, "command", hwnd, HIDE_GAUGE, present=False)
            times.append(wait_pixels(self.dummy.hwnd, bar, 3000, "command", hwnd, gauge_command(120), ";",
                                     "place", hwnd, x, y, ";", "wait-place", hwnd, x, y, 3000))
        print(f"\nthe bar back {times} ms after the moves were asked for", file=sys.stderr)
        self.assertLessEqual(max(times), READ_AFTER_MOVE_LIMIT_MS)

    def test_panel_keeps_its_place_through_a_minimised_start(self):
        self.start(["--notes=on"], UseFlute=1, FluteWndX=400, FluteWndY=300)
        WINE.session.probe_ok("show", hex(self.dummy.hwnd), SW_MINIMIZE)
        self.assertIsNotNone(wait_until(lambda: client_size(self.dummy.hwnd) == (0, 0), 5), "not minimised")
        self.start_app()
        self.wait_owned()  # made over the minimised game, whose client area is empty
        WINE.session.probe_ok("show", hex(self.dummy.hwnd), SW_RESTORE)
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() == 1, 8), "the panel is not shown")
        self.assertEqual((400, 300), self.panel_place_in_game())
        saved = self.saved()
        self.assertEqual(("400", "300"), (saved["FluteWndX"], saved["FluteWndY"]))

    def test_switched_off_panel_stays_hidden(self):
        self.start(["--notes=on"], UseFlute=0)
        self.start_app()
        self.wait_owned()
        self.assertIsNone(wait_until(lambda: self.panel_visible() == 1, 3), "shown although switched off")

    def test_panel_moves_stored_only_while_seen_and_its_close_box_switches_it_off(self):
        self.start(["--notes=on"], UseFlute=1, FluteWndX=100, FluteWndY=100)
        self.start_app()
        self.wait_owned()
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() == 1, 8), "the panel is not shown")
        hwnd = self.panel()[0]
        ox, oy = origin(self.dummy.hwnd)
        # Dragged by its caption by the player while the note panel is seen: stored.
        WINE.session.probe_ok("drag", ox + 150, oy + 105, ox + 350, oy + 205)
        self.assertIsNotNone(wait_until(lambda: self.panel_place_in_game() == (300, 200), 3),
                             f"the panel at {self.panel_place_in_game()}")
        # The note panel goes, the panel with it; a move now is no player's.
        self.dummy.command(HIDE_NOTE_PANEL)
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() == 0, 3), "shown without the note panel")
        WINE.session.probe_ok("place", hex(hwnd), ox + 50, oy + 50)
        self.assertIsNotNone(wait_until(lambda: self.panel_place_in_game() == (50, 50), 3))
        # Shown again where the player left it.
        self.dummy.command(EMPTY_NOTE_PANEL)
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() == 1, 3), "not shown with the note panel")
        self.assertEqual((300, 200), self.panel_place_in_game())

        WINE.session.probe_ok("post", hex(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0)
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() != 1, 3), "not closed")
        page = Manager(self.app).pages[3]
        use = WINE.session.probe_ok("children", hex(page))
        use_box = next(int(line.split()[1], 16) for line in use if f" id {IDS.IDC_FLUTE_USE} " in line)
        self.assertIsNotNone(wait_until(
            lambda: WINE.session.probe_ok("send", hex(use_box), BM_GETCHECK, 0, 0)[0] == "result 0", 3),
            "the page still shows it on")
        self.assertIsNone(wait_until(lambda: self.panel_visible() == 1, 3), "back after its close")
        saved = self.saved()
        self.assertEqual(("300", "200", "0"), (saved["FluteWndX"], saved["FluteWndY"], saved["UseFlute"]))


class TwoGameClients(unittest.TestCase):
    def test_reading_and_overlays_stay_on_the_first_window_until_it_closes(self):
        cwd = work_dir()
        write_conf(cwd, UseEnergy=1)
        first = Dummy(WINE.session, cwd, "--gauge=120")
        self.addCleanup(first.close)
        # Below where Wine opens the second (the screen's top-left three quarters), which
        # would otherwise hide the first one's gauge from the readings of the screen.
        WINE.session.probe_ok("place", hex(first.hwnd), 0, 800, ";", "wait-place", hex(first.hwnd), 0, 800, 3000)
        app = GkrTimer(WINE.session, cwd=cwd)
        self.addCleanup(app.close_and_wait, "close")

        def bar(game):
            found = owned(game).get("GKREnergyWnd")
            return found and (found[1], found[2][2] - found[2][0])
        self.assertIsNotNone(wait_until(lambda: bar(first.hwnd) == (1, 390), 8), f"bar {bar(first.hwnd)}")

        second_proc = WINE.session.start(os.path.join(gkrwine.bin_dir(), "DummyGKR.exe"), "--gauge=50", cwd=cwd)
        self.addCleanup(gkrwine.Wine._kill, second_proc)
        second = None

        def second_found():
            nonlocal second
            code, lines = WINE.session.probe("find", manager_support.GAME_CLASS, "", 0)
            hwnd = int(lines[0].split()[1], 16) if code == 0 else None
            second = hwnd if hwnd != first.hwnd else None
            return second is not None
        self.assertIsNotNone(wait_until(second_found, 20), "no second game window")
        self.assertLessEqual(int(info(second)["rect"].split()[3]), origin(first.hwnd)[1], "opened over the first")
        self.assertIsNone(wait_until(lambda: bar(first.hwnd) != (1, 390), 3),
                          f"the first window's bar changed to {bar(first.hwnd)}")
        self.assertEqual({}, owned(second))

        first.close()
        self.assertIsNotNone(wait_until(lambda: bar(second) == (1, 162), 8), f"bar {bar(second)} over the second")


def wait_owned_overlays(wine, game, timeout_ms):
    return wait_until(lambda: len(owned(game)) == 3, timeout_ms / 1000) is not None


class TopLevelOverlaysBesideAHungGame(test_game_hang.ManagerBesideAHungGame):
    """The hung-game cases with top-level overlays: made before the hang, or
    still to be made over the hung window."""

    def setUp(self):
        test_game_hang.wait_overlays = wait_owned_overlays  # the overlays are the game's owned windows here


if __name__ == "__main__":
    unittest.main(verbosity=2)
