"""The manager dialog's tab control: five pages in tab order, each over the
tab control's display area, and a click on a tab shows that page alone.

With GKR_SCREENSHOT_DIR set, a screenshot of the screen is written there for
every tab (manager-tab-N.png), to look at the Korean texts by eye."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import WINE, setUpModule, tearDownModule, TAB_ID, GkrTimer, Manager, children  # noqa: E402,F401

TCM_GETCURSEL = 0x1300 + 11
TCM_GETITEMCOUNT = 0x1300 + 4


class Tabs(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.app = GkrTimer(WINE.session)
        cls.manager = Manager(cls.app)

    @classmethod
    def tearDownClass(cls):
        cls.app.close_and_wait("close")

    def send(self, hwnd, message, wparam=0, lparam=0):
        line = WINE.session.probe_ok("send", hex(hwnd), message, wparam, lparam)[0]
        return int(line.split()[1])

    def click(self, index):
        WINE.session.probe_ok("tab-click", hex(self.manager.tab), index, ";", "sleep", 100)

    def test_five_pages_from_their_templates(self):
        self.assertEqual(5, self.send(self.manager.tab, TCM_GETITEMCOUNT))
        self.assertNotIn(None, self.manager.pages, "a page marker control is missing")
        self.assertEqual(5, len(set(self.manager.pages)))
        dialogs = [c for c in children(WINE.session, self.manager.tab) if c["cls"] == "#32770"]
        self.assertEqual(5, len(dialogs), "exactly the five pages live in the tab control")

    def test_pages_fill_the_display_area_below_the_tab_row(self):
        tab_left, tab_top, tab_right, tab_bottom = self.app.children()[TAB_ID][3]
        width, height = tab_right - tab_left, tab_bottom - tab_top
        rects = self.manager.page_rects()
        self.assertEqual(1, len(set(rects)), rects)
        left, top, right, bottom = rects[0]
        self.assertTrue(0 <= left < 10 and 10 < top < 60, rects[0])
        self.assertTrue(width - 10 < right <= width and height - 10 < bottom <= height, (rects[0], width, height))

    def test_a_click_on_each_tab_shows_its_page_alone(self):
        shots = os.environ.get("GKR_SCREENSHOT_DIR")
        for index in (3, 0, 4, 1, 2, 0):
            with self.subTest(tab=index):
                self.click(index)
                self.assertEqual(index, self.send(self.manager.tab, TCM_GETCURSEL))
                self.assertEqual([index], self.manager.shown_pages())
                if shots:
                    self.screenshot(shots, index)

    def test_selection_without_notification_changes_no_page(self):
        # TCM_SETCURSEL moves the highlight only; pages follow the change notification.
        self.click(0)
        self.send(self.manager.tab, 0x1300 + 12, 2)  # TCM_SETCURSEL
        self.assertEqual([0], self.manager.shown_pages())
        self.click(2)
        self.assertEqual([0], self.manager.shown_pages(), "a click on the selected tab changes nothing")
        self.click(4)
        self.assertEqual([4], self.manager.shown_pages())
        self.click(0)

    def screenshot(self, folder, index):
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, f"manager-tab-{index}.png")
        subprocess.run(f"xwd -root -silent | convert xwd:- '{path}'", shell=True, env=WINE.session.env,
                       check=True, timeout=60)


if __name__ == "__main__":
    unittest.main(verbosity=2)
