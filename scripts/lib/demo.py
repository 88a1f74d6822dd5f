#!/usr/bin/env python3
"""Starts DummyGKR.exe and GKRTimer.exe under Wine, waits for their windows
and for the three overlays over the game, and leaves a screenshot. With
--keep both keep running (and so does the X server, if one was started) for
a person to look at."""
import argparse
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "harness"))
import gkrwine  # noqa: E402


def screenshot(env, path):
    xwd = subprocess.run(["xwd", "-root", "-silent"], env=env, capture_output=True, timeout=30)
    subprocess.run(["convert", "xwd:-", path], input=xwd.stdout, env=env, check=True, timeout=60)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# The demo's settings: all three overlays on, the song panel beside the game's
# note panel, the instrument of the sample songs.
DEMO_CONF = ('<Setting UseEnergy="1" UseTimer="1" UseFlute="1" FluteWndX="390" FluteWndY="330" '
             'UpNote="1" SideNote="6" DownNote="3" />\n')
OVERLAY_CLASSES = ("GKRFluteWnd", "GKREnergyWnd", "GKRTimerWnd")


def overlay_preview(wine, bindir, path, songs):
    """The overlays as Windows shows them, children of the game window, drawn
    over DummyGKR's picture inside one process: windows_tests.exe writes a BMP."""
    tests = os.path.join(bindir, "windows_tests.exe")
    if not os.path.exists(tests):
        return False
    bmp = path[:-4] + ".bmp"
    wine.env["GKR_OVERLAY_MODE"] = "child"
    try:
        code, _ = wine.run(tests, "--gtest_also_run_disabled_tests", "--gtest_filter=OverlayPreview.*",
                           windows_path(bmp), windows_path(songs), timeout=60)
    finally:
        wine.env.pop("GKR_OVERLAY_MODE")
    if code != 0 or not os.path.exists(bmp):
        return False
    subprocess.run(["convert", bmp, path], check=True, timeout=60)
    os.unlink(bmp)
    return True


def overlays_shown(wine, game):
    """True once the three overlays stand over the game window, drawn by Wine
    as the top-level windows it owns (polled, at most 15 s)."""
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        code, lines = wine.probe("owned", hex(game))
        shown = {line.split()[3].strip('"') for line in lines if code == 0 and " visible 1 " in line}
        if shown.issuperset(OVERLAY_CLASSES):
            return True
        time.sleep(0.2)
    return False


def play_and_start_clock(wine, game):
    """The song 1-6-3 played anew (the panel emptied first, so the reading
    sees a new play and starts its effect) and a click on the timer, which
    starts the clock."""
    wine.probe("command", hex(game), 50000)
    time.sleep(1.2)  # the note panel is read twice a second
    wine.probe("command", hex(game), 53610)
    code, lines = wine.probe("owned", hex(game))
    for line in lines if code == 0 else []:
        fields = line.split()
        if fields[3].strip('"') == "GKRTimerWnd":
            wine.probe("post", fields[1], 0x0202, 0, 50 | 10 << 16)  # WM_LBUTTONUP


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--keep", action="store_true", help="leave the programs running")
    ap.add_argument("--build", required=True)
    ap.add_argument("--source", required=True)
    a = ap.parse_args()

    bindir = os.path.join(a.build, "windows", "bin")
    os.environ["GKR_BIN_DIR"] = bindir
    workdir = os.path.join(a.build, "demo")
    os.makedirs(workdir, exist_ok=True)
    sample = os.path.join(a.source, "samples", "SData.xml")
    if os.path.exists(sample) and not os.path.exists(os.path.join(workdir, "SData.xml")):
        shutil.copy(sample, workdir)
    with open(os.path.join(workdir, "conf.xml"), "w", encoding="ascii") as f:
        f.write(DEMO_CONF)

    wine = gkrwine.Wine(prefix=os.path.join(a.build, "wineprefix"))
    try:
        # First, while no other window of the game's class exists to be found instead.
        preview = os.path.join(a.build, "overlay-preview.png")
        if overlay_preview(wine, bindir, preview, sample):
            print("demo: the overlays drawn over the game picture in %s" % preview)
        # A quest under way, the song 1-6-3 just played in the note panel.
        wine.start(os.path.join(bindir, "DummyGKR.exe"), "--gauge=120", "--notes=3,6,1", cwd=workdir)
        game = wine.find_window(" G K R ", "DummyGKR", 20000)
        if game is None:
            print("demo: the DummyGKR window did not appear", file=sys.stderr)
            return 1
        print("demo: DummyGKR is up")
        timer = os.path.join(bindir, "GKRTimer.exe")
        if os.path.exists(timer):
            wine.start(timer, cwd=workdir)
            manager = wine.find_window("#32770", "GKR Utility Manager", 20000)
            if manager is None:
                print("demo: the GKR Utility Manager window did not appear", file=sys.stderr)
                return 1
            wine.probe("place", hex(manager), 900, 40)  # beside the game, not over it
            print("demo: GKRTimer is up (working folder %s)" % workdir)
            if overlays_shown(wine, game):
                print("demo: the three overlays stand over DummyGKR")
                play_and_start_clock(wine, game)
            else:
                print("demo: the overlays did not all appear over DummyGKR", file=sys.stderr)
            time.sleep(1.5)  # the timer counts a second, the song's effect a second down
        shot = os.path.join(a.build, "demo-screenshot.png")
        screenshot(wine.env, shot)
        print("demo: screenshot in %s" % shot)
        if a.keep:
            print("demo: left running on DISPLAY=%s (WINEPREFIX=%s)" % (wine.env["DISPLAY"], wine.prefix))
            print("demo: stop with: kill %s" % " ".join(str(p.pid) for p in wine.procs
                                                        + ([wine.xvfb.proc] if wine.xvfb else [])))
            wine.procs.clear()
            wine.xvfb = None
        return 0
    finally:
        wine.close()


if __name__ == "__main__":
    sys.exit(main())
