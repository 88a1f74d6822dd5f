#!/usr/bin/env python3
"""CPU cost of GKRTimer under Wine beside DummyGKR, with every overlay shown:
the timer running, the energy bar over the gauge, the song-sheet panel listing
the sample songs with one effect counting down.

    python3 bench/wine_cpu.py [--seconds 60] [--runs 3] [--warmup 5]

Per run: CPU of the GKRTimer process (user + system time from /proc) and of
the Wine server, as % of one core over the measured window; min/median/max
over the runs. Needs the Windows programs built (scripts/build)."""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "harness"))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import gkrwine  # noqa: E402
from manager_support import SCENE, Dummy, GkrTimer, wait_overlays, work_dir, write_conf  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User + system seconds of a process (0 once it is gone)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS
    except OSError:
        return 0.0


def wineserver_pids(prefix):
    pids = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                cmd = f.read().split(b"\0")[0]
            if not os.path.basename(cmd).startswith(b"wineserver"):
                continue
            with open(f"/proc/{pid}/environ", "rb") as f:
                env = f.read().split(b"\0")
            if b"WINEPREFIX=" + os.fsencode(prefix) in env or not any(e.startswith(b"WINEPREFIX=") for e in env):
                pids.append(int(pid))
        except OSError:
            continue
    return pids


def one_run(wine, seconds, warmup):
    cwd = work_dir()
    write_conf(cwd, UseTimer=1, UseEnergy=1, UseFlute=1, UpNote=1, DownNote=3, SideNote=6)
    shutil.copy(os.path.join(HERE, "..", "samples", "SData.xml"), cwd)
    dummy = Dummy(wine, cwd)
    app = GkrTimer(wine, cwd=cwd)
    try:
        if not wait_overlays(wine, dummy.hwnd, 5000):
            raise RuntimeError("no overlays")
        # Start the clock and play the song 1-6-3 (shown most recent note first).
        timer = next(c for c in wine.probe_ok("children", hex(dummy.hwnd)) if "GKRTimerWnd" in c).split()[1]
        wine.probe_ok("post", timer, 0x0202, 0, 0x000A0032)  # WM_LBUTTONUP at (50, 10)
        dummy.command(SCENE.kCmdNotePanelBase + 3610)
        time.sleep(warmup)
        servers = wineserver_pids(wine.prefix)
        app_before = cpu_seconds(app.proc.pid)
        server_before = sum(cpu_seconds(p) for p in servers)
        started = time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - started
        app_cpu = (cpu_seconds(app.proc.pid) - app_before) / elapsed * 100
        server_cpu = (sum(cpu_seconds(p) for p in servers) - server_before) / elapsed * 100
        return app_cpu, server_cpu
    finally:
        app.close_and_wait("close")
        dummy.close()


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--seconds", type=float, default=60)
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--warmup", type=float, default=5)
    a = ap.parse_args()
    with gkrwine.Wine() as wine:
        results = [one_run(wine, a.seconds, a.warmup) for _ in range(a.runs)]
    for name, values in (("GKRTimer", [r[0] for r in results]), ("wineserver", [r[1] for r in results])):
        print(f"{name:10s} % of one core: min {min(values):.3f}  median {statistics.median(values):.3f}  "
              f"max {max(values):.3f}  ({a.runs} runs of {a.seconds:.0f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
