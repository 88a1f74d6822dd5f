"""GKRTimer starts with its manager dialog and ends cleanly on every way out."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
from gkrtimer_session import GkrTimer, Session  # noqa: E402
import cdefs  # noqa: E402

IDS = cdefs.Constants("resources/manager_ids.h")

WS_VISIBLE = 0x10000000
WS_CAPTION = 0x00C00000
WS_SYSMENU = 0x00080000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_THICKFRAME = 0x00040000
DS_MODALFRAME = 0x80
BS_TYPEMASK = 0xF
BS_AUTOCHECKBOX = 3
BS_PUSHLIKE = 0x1000
BS_MULTILINE = 0x2000
SS_CENTER = 1
TCS_MULTILINE = 0x200

# id: (class, text, x, y, width, height in dialog units)
CONTROLS = {
    IDS.IDC_MANAGER_TAB: ("SysTabControl32", "", 5, 5, 210, 160),
    IDS.IDC_MANAGER_GAME_TOPMOST: ("Button", "그라최상위", 5, 176, 50, 15),
    IDS.IDC_MANAGER_GAME_RELEASE: ("Button", "최상위해제", 5, 191, 50, 15),
    IDS.IDC_MANAGER_GAME_LAUNCH: ("Button", "그라F", 58, 176, 50, 15),
    IDS.IDC_MANAGER_GAME_KILL: ("Button", "그라강종", 58, 191, 50, 15),
    IDS.IDC_MANAGER_EXIT: ("Button", "종료", 111, 176, 50, 30),
    IDS.IDC_MANAGER_HOME_PAGE: ("Button", "제작자 홈페이지 바로가기", 164, 176, 50, 30),
    IDS.IDC_MANAGER_VERSION: ("Static", "GKR Utility by Tovrin v0.0.1.4", 25, 211, 150, 8),
}

CLOSE_LIMIT_S = 1.0

SESSION = None


def setUpModule():
    global SESSION
    SESSION = Session()


def tearDownModule():
    SESSION.close()


class ManagerDialog(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.app = GkrTimer(SESSION.wine)

    @classmethod
    def tearDownClass(cls):
        cls.app.close_and_wait("close")

    def test_dialog_is_a_visible_centred_top_level_window(self):
        info = self.app.info()
        self.assertEqual('"GKR Utility Manager"', info["title"])
        self.assertEqual("0x0", info["parent"])
        self.assertEqual("1", info["visible"])
        style = int(info["style"], 16)
        for bit in (WS_VISIBLE, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, DS_MODALFRAME):
            self.assertTrue(style & bit, hex(bit))
        self.assertFalse(style & WS_MAXIMIZEBOX)
        self.assertFalse(style & WS_THICKFRAME)
        left, top, right, bottom = map(int, info["rect"].split())
        self.assertLessEqual(abs((left + right) / 2 - 640), 2)  # the Xvfb screen is 1280 x 1024
        self.assertLessEqual(abs((top + bottom) / 2 - 512), 2)

    def test_controls_have_their_ids_classes_and_texts(self):
        children = self.app.children()
        self.assertEqual(sorted(CONTROLS), sorted(children))
        for cid, (cls, text, *_rest) in CONTROLS.items():
            _, got_cls, visible, _, got_text = children[cid]
            self.assertEqual(cls, got_cls, cid)
            self.assertEqual(text, got_text, cid)
            self.assertEqual(1, visible, cid)

    def test_controls_sit_at_their_dialog_unit_positions(self):
        children = self.app.children()
        # Dialog units to pixels, measured on the tab control (5, 5, 210 x 160).
        l, t, r, b = children[IDS.IDC_MANAGER_TAB][3]
        sx, sy = (r - l) / 210.0, (b - t) / 160.0
        for cid, (_, _, x, y, w, h) in CONTROLS.items():
            l, t, r, b = children[cid][3]
            for got, want in ((l, x * sx), (t, y * sy), (r - l, w * sx), (b - t, h * sy)):
                self.assertLessEqual(abs(got - want), 2.5, f"control {cid}: {children[cid][3]}")

    def test_control_styles(self):
        children = self.app.children()

        def style(cid):
            return int(self.app.info(children[cid][0])["style"], 16)

        self.assertEqual(BS_AUTOCHECKBOX, style(IDS.IDC_MANAGER_EXIT) & BS_TYPEMASK)
        self.assertTrue(style(IDS.IDC_MANAGER_EXIT) & BS_PUSHLIKE)
        self.assertTrue(style(IDS.IDC_MANAGER_HOME_PAGE) & BS_MULTILINE)
        self.assertTrue(style(IDS.IDC_MANAGER_TAB) & TCS_MULTILINE)
        self.assertEqual(SS_CENTER, style(-1) & 0x1F)


class WaysOut(unittest.TestCase):
    """Every way of closing the dialog ends the process at once with code 0."""

    def setUp(self):
        self.wine = SESSION.wine

    def assert_ends(self, how):
        app = GkrTimer(self.wine)
        code, seconds = app.close_and_wait(how)
        self.assertEqual(0, code, f"{how}: exit code {code} after {seconds:.2f} s")
        self.assertLess(seconds, CLOSE_LIMIT_S, f"{how}: took {seconds:.2f} s")

    def test_close_box(self):
        self.assert_ends("close")

    def test_exit_button(self):
        self.assert_ends("exit")

    def test_ok_and_cancel_commands(self):
        self.assert_ends(1)
        self.assert_ends(2)

    def test_other_commands_keep_it_running(self):
        app = GkrTimer(self.wine)
        self.wine.probe_ok("command", app.h, 4242, ";", "sleep", 300)
        self.assertIsNone(app.proc.poll())
        self.assertEqual("1", app.info()["visible"])
        code, _ = app.close_and_wait("close")
        self.assertEqual(0, code)


if __name__ == "__main__":
    unittest.main(verbosity=2)
