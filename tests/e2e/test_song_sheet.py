"""The song-sheet panel with the real programs: DummyGKR's note scenes teach
GKRTimer the instrument's colours, the page's combo boxes and song list follow,
and the panel inside the dummy's window is hidden with the game's note panel."""
import os
import re
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import (  # noqa: E402,F401
    WINE, setUpModule, tearDownModule,
    HIDE_NOTE_PANEL, IDS, SCENE, Dummy, GkrTimer, Manager, _unquote, children, overlays, wait_overlays, wait_until,
    work_dir, write_conf)

SAMPLE_SONGS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples", "SData.xml")


def notes_command(*codes):
    digits = (list(codes) + [0, 0, 0, 0])[:4]
    return SCENE.kCmdNotePanelBase + int("".join(map(str, digits)))


class SongSheetBesideTheDummy(unittest.TestCase):
    def setUp(self):
        cwd = work_dir()
        write_conf(cwd, UseFlute=1)
        shutil.copy(SAMPLE_SONGS, cwd)
        self.dummy = Dummy(WINE.session, cwd)
        self.addCleanup(self.dummy.close)
        self.app = GkrTimer(WINE.session, cwd=cwd)
        self.addCleanup(self.app.close_and_wait, "close")
        self.assertTrue(wait_overlays(WINE.session, self.dummy.hwnd, 5000), "no overlays")
        self.page = Manager(self.app).pages[3]

    def combo_texts(self):
        return {cid: WINE.session.probe_ok("text", hex(self.page), cid)[0]
                for cid in (IDS.IDC_FLUTE_UPNOTE, IDS.IDC_FLUTE_DOWNNOTE, IDS.IDC_FLUTE_SIDENOTE)}

    def song_rows(self):
        songs = next(c["hwnd"] for c in children(WINE.session, self.page) if c["id"] == IDS.IDC_FLUTE_SONGS)
        rows = []
        for line in WINE.session.probe_ok("list-items", hex(songs), 6):
            rows.append([_unquote(cell) for cell in re.findall(r'"(?:[^"\\]|\\.)*"', line)])
        return rows

    def panel_visible(self):
        return overlays(WINE.session, self.dummy.hwnd)["GKRFluteWnd"]["visible"]

    def test_note_scenes_teach_the_colours_and_the_list_follows(self):
        # The song 1-6-3, shown most recent note first.
        self.dummy.command(notes_command(3, 6, 1))
        want = {IDS.IDC_FLUTE_UPNOTE: "초록색", IDS.IDC_FLUTE_DOWNNOTE: "파라색", IDS.IDC_FLUTE_SIDENOTE: "분홍색"}
        self.assertIsNotNone(wait_until(lambda: self.combo_texts() == want, 5), self.combo_texts())
        rows = self.song_rows()
        self.assertEqual([["녹", "분", "파", "", "공격력 증가", "치명타 확률 증가"],
                          ["파", "파", "녹", "분", "방어력 증가", ""],
                          ["분", "녹", "", "", "체력 회복", "마나 회복"],
                          ["녹", "파", "분", "녹", "화염 저항", "냉기 저항"]], rows)
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() == 1, 3), "the panel is not shown")

        self.dummy.command(HIDE_NOTE_PANEL)
        self.assertIsNotNone(wait_until(lambda: self.panel_visible() == 0, 3), "shown without the note panel")


if __name__ == "__main__":
    unittest.main(verbosity=2)
