"""The manager's game buttons against a game of our own: DummyGKR copied as
gkr.exe (its window has the game's class). "그라최상위"/"최상위해제" set and
clear the window's topmost style; "그라강종" ends the game even while its
window hangs, and the manager handles what is posted to it within a second
all the while; a force quit still under way when the manager is closed
finishes before GKRTimer ends."""
import contextlib
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import (  # noqa: E402,F401
    WINE, setUpModule, tearDownModule, GAME_CLASS, IDS, TAB_ID, GkrTimer, game_hung, hang_command, wait_until,
    work_dir)
import gkrwine  # noqa: E402

WS_EX_TOPMOST = 0x00000008
TCM_GETCURSEL = 0x130B
TCM_SETCURSEL = 0x130C
ANSWER_LIMIT_S = 1.0
END_LIMIT_S = 15
# Settle, three bounded sends, the grace time and a second to spare.
FORCE_QUIT_BOUND_S = 0.5 + 3 + 5 + 1


@contextlib.contextmanager
def game_and_manager(test):
    """DummyGKR running as gkr.exe and GKRTimer beside it, in one scratch
    folder: (the game's process, its window, the manager); both ended after."""
    cwd = work_dir()
    exe = os.path.join(cwd, "gkr.exe")
    shutil.copy(os.path.join(gkrwine.bin_dir(), "DummyGKR.exe"), exe)
    test.assertIsNone(WINE.session.find_window(GAME_CLASS, "", 0), "another game window is open")
    game = WINE.session.start(exe, cwd=cwd)
    app = None
    try:
        hwnd = WINE.session.find_window(GAME_CLASS, "", 20000)
        test.assertIsNotNone(hwnd)
        app = GkrTimer(WINE.session, cwd=cwd)
        yield game, hwnd, app
    finally:
        gkrwine.Wine._kill(game)
        if app:
            gkrwine.Wine._kill(app.proc)


class GameButtons(unittest.TestCase):
    def test_topmost_and_force_quit_of_a_hung_game(self):
        with game_and_manager(self) as (game, hwnd, app):
            def topmost():
                return int(app.info(hwnd)["exstyle"], 16) & WS_EX_TOPMOST != 0
            self.assertFalse(topmost())
            WINE.session.probe_ok("command", app.h, IDS.IDC_MANAGER_GAME_TOPMOST)
            self.assertIsNotNone(wait_until(topmost, 5), "not on top")
            WINE.session.probe_ok("command", app.h, IDS.IDC_MANAGER_GAME_RELEASE)
            self.assertIsNotNone(wait_until(lambda: not topmost(), 5), "still on top")

            WINE.session.probe_ok("command", hex(hwnd), hang_command(60))
            self.assertIsNotNone(wait_until(lambda: game_hung(WINE.session, hwnd), 3), "the game does not hang")
            WINE.session.probe_ok("command", app.h, IDS.IDC_MANAGER_GAME_KILL)
            started = time.monotonic()
            tab = app.children()[TAB_ID][0]
            slowest, page = 0.0, 0
            while game.poll() is None and time.monotonic() - started < END_LIMIT_S:
                page = 2 - page
                WINE.session.probe_ok("post", hex(tab), TCM_SETCURSEL, page, 0)
                answered = wait_until(lambda: WINE.session.probe_ok(
                    "send", hex(tab), TCM_GETCURSEL, 0, 0, 2000)[0] == f"result {page}", 3, 0.02)
                slowest = max(slowest, answered if answered is not None else float("inf"))
            ended = time.monotonic() - started
            print(f"\ngame ended {ended:.1f} s after the click; slowest answer {slowest:.2f} s", file=sys.stderr)
            self.assertIsNotNone(game.poll(), "the hung game still runs")
            self.assertLess(slowest, ANSWER_LIMIT_S)
            WINE.session.probe("wait-gone", hex(hwnd), 5000)
            code, _ = app.close_and_wait("close")
            self.assertEqual(0, code)

    def test_a_force_quit_under_way_finishes_before_the_program_ends(self):
        with game_and_manager(self) as (game, hwnd, app):
            WINE.session.probe_ok("command", hex(hwnd), hang_command(60))
            WINE.session.probe_ok("command", app.h, IDS.IDC_MANAGER_GAME_KILL)
            time.sleep(1)  # the player closes the manager a second after the click
            code, took = app.close_and_wait("close", timeout=FORCE_QUIT_BOUND_S + 5)
            game_left = game.poll() is None
            print(f"\nended {took:.2f} s after the close, code {code}; game still running: {game_left}",
                  file=sys.stderr)
            self.assertEqual(0, code)
            self.assertLess(took, FORCE_QUIT_BOUND_S)
            # The game's end is noticed here a moment after the system ends it.
            self.assertIsNotNone(WINE.session.wait(game, 2), "the force quit was dropped at the way out")


if __name__ == "__main__":
    unittest.main(verbosity=2)
