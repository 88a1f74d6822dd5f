"""The game's key binding file and GKRTimer's copies of it, with the game's
install folder named in the private prefix's registry (32-bit view) and real
folders: first use, delete then back up, "기본"/"해제"/"선택"; both boxes on
at start and end, left by the close box, by "종료" and by the session's end,
the player's file put back exactly once; a run that is killed, an end that
finds the file locked, a default whose copy is missing; the files a copy
killed midway leaves in both folders are cleared by the next start."""
import ctypes
import os
import re
import struct
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from manager_support import (  # noqa: E402,F401
    WINE, setUpModule, tearDownModule, IDS, FileWrites, GkrTimer, Manager, children, wait_until, work_dir)
import gkrwine  # noqa: E402

REG_KEY = r"HKLM\SOFTWARE\Drakmoor\Gravik Keep Raiders Online"
LB_SETCURSEL = 0x0186
WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016


def win_path(path):
    return "Z:" + path.replace("/", "\\")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def created_names(folders, run):
    """Names of the files created in each folder while run() runs (inotify)."""
    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
    if fd < 0:
        raise OSError(ctypes.get_errno(), "inotify_init1")
    try:
        watches = {libc.inotify_add_watch(fd, os.fsencode(f), 0x100): f for f in folders}  # IN_CREATE
        run()
        names = {f: [] for f in folders}
        event = struct.Struct("iIII")
        while True:
            try:
                data = os.read(fd, 65536)
            except BlockingIOError:
                return names
            offset = 0
            while offset < len(data):
                wd, _, _, length = event.unpack_from(data, offset)
                raw = data[offset + event.size: offset + event.size + length]
                offset += event.size + length
                names[watches[wd]].append(raw.rstrip(b"\0").decode())
    finally:
        os.close(fd)


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


class KeyFiles(unittest.TestCase):
    def setUp(self):
        base = work_dir()
        self.install = os.path.join(base, "game")
        self.cwd = os.path.join(base, "run")
        os.makedirs(self.install)
        os.makedirs(self.cwd)
        self.game_file = os.path.join(self.install, "keyconfig.cfg")
        write(self.game_file, b"player")
        code, out = WINE.session.run("reg", "add", REG_KEY, "/v", "InstDir", "/t", "REG_SZ",
                                     "/d", win_path(self.install), "/reg:32", "/f")
        self.assertEqual(0, code, out)

    def tearDown(self):
        WINE.session.run("reg", "delete", r"HKLM\SOFTWARE\Drakmoor", "/reg:32", "/f")

    def copy(self, n):
        return os.path.join(self.cwd, "key", f"keyconfig-{n}.cfg")

    @property
    def marker(self):
        return os.path.join(self.cwd, "key", "keyconfig--1.pending")

    def with_default(self):
        """Copy 0 ("default") as the default, both boxes on."""
        write(self.copy(0), b"default")
        write(os.path.join(self.cwd, "conf.xml"), b'<Setting UseKeyDefault="1" UseKeyBackup="1" DefaultKey="0" '
              b'LastKey="1"><KeyConfig Name="D" Index="0" /></Setting>')

    def wait_game_file(self, data):
        self.assertIsNotNone(wait_until(lambda: read(self.game_file) == data, 5),
                             f"the game's file holds {read(self.game_file)!r}, not {data!r}")

    def start(self):
        """GKRTimer with its start-up done (the game-keys page handles the files as it is made)."""
        app = GkrTimer(WINE.session, cwd=self.cwd)
        return app, Manager(app).pages[4]

    @staticmethod
    def items(page):
        lines = WINE.session.probe_ok("list-box", hex(page), IDS.IDC_KEYCONFIG_LIST)
        return [(line.split('"')[1], int(line.split()[3])) for line in lines]

    @staticmethod
    def command(page, cid, select=None):
        if select is not None:
            lb = next(c["hwnd"] for c in children(WINE.session, page) if c["id"] == IDS.IDC_KEYCONFIG_LIST)
            WINE.session.probe_ok("send", hex(lb), LB_SETCURSEL, select, 0)
        WINE.session.probe_ok("command", hex(page), cid)

    def back_up(self, page, name):
        before = len(self.items(page))
        WINE.session.probe_ok("set-text", hex(page), IDS.IDC_KEYCONFIG_NAME, name)
        self.command(page, IDS.IDC_KEYCONFIG_BACKUP)
        self.assertIsNotNone(wait_until(lambda: len(self.items(page)) == before + 1, 5), f"no backup {name}")

    @staticmethod
    def default_box(page, text):
        return WINE.session.probe("wait-text", hex(page), IDS.IDC_KEYCONFIG_DEFAULTNAME, text, 5000)[0] == 0

    def test_first_use_delete_then_back_up_and_the_default(self):
        app, page = self.start()
        try:
            self.back_up(page, "A")
            write(self.game_file, b"second")
            self.back_up(page, "B")
            self.assertEqual([b"player", b"second"], [read(self.copy(0)), read(self.copy(1))])
            self.command(page, IDS.IDC_KEYCONFIG_DELETE, select=0)
            self.assertIsNotNone(wait_until(lambda: self.items(page) == [("B", 1)], 5))
            self.assertIsNone(read(self.copy(0)))
            write(self.game_file, b"third")
            self.back_up(page, "C")
            self.assertEqual([("B", 1), ("C", 2)], self.items(page))
            self.assertEqual(b"third", read(self.copy(2)))

            self.command(page, IDS.IDC_KEYCONFIG_SETDEFAULT, select=0)
            self.assertTrue(self.default_box(page, "B"))
            self.command(page, IDS.IDC_KEYCONFIG_CLEARDEFAULT)
            self.assertTrue(self.default_box(page, ""))
            self.command(page, IDS.IDC_KEYCONFIG_RESTORE, select=0)
            self.wait_game_file(b"second")
            # A copy that is gone from the folder leaves the game's file as it is.
            os.remove(self.copy(2))
            self.command(page, IDS.IDC_KEYCONFIG_RESTORE, select=1)
            self.command(page, IDS.IDC_KEYCONFIG_SETDEFAULT, select=0)
            self.assertTrue(self.default_box(page, "B"))
            self.assertEqual(b"second", read(self.game_file))
        finally:
            code, _ = app.close_and_wait("close")
        self.assertEqual(0, code)
        setting = ET.fromstring(read(os.path.join(self.cwd, "conf.xml")).decode("cp949"))
        self.assertEqual([("B", "1"), ("C", "2")], [(k.get("Name"), k.get("Index")) for k in setting.findall("KeyConfig")])
        self.assertEqual(("3", "1"), (setting.get("LastKey"), setting.get("DefaultKey")))
        self.assertEqual(["keyconfig.cfg"], os.listdir(self.install), "nothing is left beside the game's file")

    def test_both_boxes_put_the_players_file_back_once_on_every_way_out(self):
        for how in ("close", "exit", "session end"):
            with self.subTest(how=how):
                write(self.game_file, b"player")
                self.with_default()
                app, _ = self.start()
                self.wait_game_file(b"default")
                self.assertEqual(b"player", read(self.copy(-1)))
                self.assertIsNotNone(read(self.marker))
                writes = FileWrites(self.install, "keyconfig.cfg")
                try:
                    if how == "session end":
                        WINE.session.probe_ok("send", app.h, WM_QUERYENDSESSION, 0, 0)
                        WINE.session.probe_ok("send", app.h, WM_ENDSESSION, 1, 0)
                        self.assertEqual(b"player", read(self.game_file))
                        write(self.game_file, b"after the session")
                        how = "close"
                    code, _ = app.close_and_wait(how)
                finally:
                    versions = writes.close()
                self.assertEqual(0, code)
                self.assertEqual([b"player"], [v for v in versions if v != b"after the session"])
                self.assertIn(read(self.game_file), (b"player", b"after the session"))
                self.assertIsNone(read(self.marker))

    def test_a_killed_run_and_a_locked_file_never_lose_the_players_file(self):
        self.with_default()
        app, _ = self.start()
        self.wait_game_file(b"default")
        gkrwine.Wine._kill(app.proc)
        self.assertIsNotNone(read(self.marker))

        # The next run keeps the player's copy instead of saving the default over it...
        app, _ = self.start()
        self.assertEqual(b"player", read(self.copy(-1)))
        self.assertEqual(b"default", read(self.game_file))
        # ...and, finding the game's file locked at its end, leaves it marked.
        holder = WINE.session.start(os.path.join(gkrwine.bin_dir(), "probe.exe"), "lock-file",
                                    win_path(self.game_file), 4000, stdout=subprocess.PIPE)
        self.assertEqual(b"held", holder.stdout.readline().strip())
        code, _ = app.close_and_wait("close")
        self.assertEqual(0, code)
        self.assertEqual(b"default", read(self.game_file))
        self.assertIsNotNone(read(self.marker))
        holder.wait(10)

        app, _ = self.start()
        app.close_and_wait("close")
        self.assertEqual(b"player", read(self.game_file))
        self.assertIsNone(read(self.marker))

        # A default whose copy is missing: nothing applied, nothing to put back.
        os.remove(self.copy(0))
        write(self.game_file, b"player 2")
        app, _ = self.start()
        self.assertIsNone(read(self.marker))
        app.close_and_wait("close")
        self.assertEqual(b"player 2", read(self.game_file))
        self.assertEqual(b"player", read(self.copy(-1)), "no start-up copy for a default that cannot be applied")

    def test_files_of_a_copy_killed_midway_are_cleared_at_the_next_start(self):
        self.with_default()
        key = os.path.dirname(self.copy(0))

        def run():
            app, _ = self.start()
            self.wait_game_file(b"default")
            self.assertEqual(0, app.close_and_wait("close")[0])
        created = created_names((self.install, key), run)
        # What a kill between the write and the move leaves: one temporary file per copy.
        temp = re.compile(r"^(.+)\.(\d+)\.tmp$")
        left = {folder: [temp.match(n) for n in names if n.endswith(".tmp")] for folder, names in created.items()}
        self.assertTrue(all(left[self.install]) and all(left[key]), created)
        self.assertEqual({"keyconfig.cfg"}, {m[1] for m in left[self.install]}, created)
        self.assertEqual({"keyconfig--1.cfg", "keyconfig--1.pending"}, {m[1] for m in left[key]}, created)

        dead = [os.path.join(folder, f"{m[1]}.4000001.tmp") for folder in left for m in left[folder]]
        dead.append(os.path.join(key, "keyconfig-7.cfg.4000002.tmp"))
        others = [os.path.join(self.install, "keyconfig.cfg.bak.4000001.tmp"),
                  os.path.join(self.install, "game.4000001.tmp")]
        for path in dead + others:
            write(path, b"player")
        app, _ = self.start()
        try:
            self.assertIsNotNone(wait_until(lambda: not any(map(os.path.exists, dead)), 5),
                                 [p for p in dead if os.path.exists(p)])
            self.assertTrue(all(map(os.path.exists, others)), "files of other names are not ours to remove")
        finally:
            app.close_and_wait("close")


if __name__ == "__main__":
    unittest.main(verbosity=2)
