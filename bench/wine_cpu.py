#!/usr/bin/env python3
"""What GKRTimer costs under Wine, beside two floor programs that do nothing.

    bench/wine_cpu.py [--seconds 60] [--runs 3] [--warmup 10]

Three Wine sessions run side by side, each with its own prefix (under
build/bench/) and its own X server:
  - SleepFloor.exe, a process that only sleeps 50 ms at a time;
  - DialogFloor.exe, a dialog with the common controls and a 1 s timer;
  - GKRTimer.exe beside DummyGKR.exe, all three overlays shown: the quest timer
    running, the energy bar over the gauge, the song-sheet panel listing the
    sample songs with an effect counting down. Twice: with the overlays Wine
    gets (top-level windows the game owns, following it), and, as on Windows,
    children of the game window (GKR_OVERLAY_MODE=child; Wine does not draw them).
After a warm-up, each run measures over the same window: CPU of each program
(user + system time from /proc) as % of one core, the Wine server's CPU on its
behalf (its prefix's server above what the server used before the program
started, DummyGKR included in that baseline for GKRTimer), resident memory,
and how often the program's threads are switched in (voluntary and forced
context switches per second, from /proc/PID/task/*/status), while the game
window stands still. It prints min/median/max over the runs, then GKRTimer's figures above
the floors; the ratio lines come last. Needs the Windows programs built
(scripts/build)."""
import argparse
import os
import shutil
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "harness"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import gkrwine  # noqa: E402
from manager_support import SCENE, Dummy, GkrTimer, any_overlays, wait_until, write_conf  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
WM_LBUTTONUP = 0x0202


def cpu_seconds(pid):
    """User + system seconds of a process (0 once it is gone)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS
    except OSError:
        return 0.0


def context_switches(pid):
    """Context switches of all the process's threads so far."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
        except OSError:
            pass  # a thread that ended meanwhile
    return total


def resident_mb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
    except OSError:
        pass
    return 0.0


def server_pid(prefix):
    """The wineserver of one prefix."""
    wanted = b"WINEPREFIX=" + os.fsencode(os.path.abspath(prefix))
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                if not os.path.basename(f.read().split(b"\0")[0]).startswith(b"wineserver"):
                    continue
            with open(f"/proc/{pid}/environ", "rb") as f:
                if wanted in f.read().split(b"\0"):
                    return int(pid)
        except OSError:
            continue
    raise RuntimeError(f"no wineserver for {prefix}")


class Subject:
    """One program (or GKRTimer with its dummy game) in a Wine session of its own."""

    def __init__(self, name, prefix):
        self.name = name
        display = os.environ.pop("DISPLAY", None)  # a fresh Xvfb for each session
        try:
            self.wine = gkrwine.Wine(prefix=prefix)
        finally:
            if display is not None:
                os.environ["DISPLAY"] = display
        self.server = server_pid(self.wine.prefix)
        self.proc = None
        self.server_baseline = 0.0
        self.samples = []  # (process %, server %, resident MB, context switches per second)

    def start(self):
        raise NotImplementedError

    def begin(self):
        self.cpu0, self.server0, self.t0 = cpu_seconds(self.proc.pid), cpu_seconds(self.server), time.monotonic()
        self.switches0 = context_switches(self.proc.pid)

    def end(self):
        elapsed = time.monotonic() - self.t0
        process = (cpu_seconds(self.proc.pid) - self.cpu0) / elapsed * 100
        server = (cpu_seconds(self.server) - self.server0) / elapsed * 100 - self.server_baseline
        switches = (context_switches(self.proc.pid) - self.switches0) / elapsed
        self.samples.append((process, server, resident_mb(self.proc.pid), switches))

    def close(self):
        self.wine.close()


class Floor(Subject):
    def __init__(self, name, prefix, exe):
        super().__init__(name, prefix)
        self.exe = exe

    def start(self):
        self.proc = self.wine.start(os.path.join(gkrwine.bin_dir(), self.exe))


class Utility(Subject):
    def __init__(self, name, prefix, work, overlay_mode=None):
        super().__init__(name, prefix)
        if overlay_mode:
            self.wine.env["GKR_OVERLAY_MODE"] = overlay_mode
        self.work = work
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
        write_conf(work, UseTimer=1, UseEnergy=1, UseFlute=1, UpNote=1, DownNote=3, SideNote=6)
        shutil.copy(os.path.join(ROOT, "samples", "SData.xml"), work)
        self.dummy = Dummy(self.wine, work)

    def start(self):
        app = GkrTimer(self.wine, cwd=self.work)
        self.proc = app.proc
        if wait_until(lambda: len(any_overlays(self.wine, self.dummy.hwnd)) == 3, 8) is None:
            raise RuntimeError("no overlays")
        timer = any_overlays(self.wine, self.dummy.hwnd)["GKRTimerWnd"]["hwnd"]
        self.wine.probe_ok("post", hex(timer), WM_LBUTTONUP, 0, 50 | 10 << 16)  # a click starts the clock
        self.dummy.command(SCENE.kCmdNotePanelBase + 3610)  # the song 1-6-3, most recent note first


def summary(values):
    return f"min {min(values):7.3f}  median {statistics.median(values):7.3f}  max {max(values):7.3f}"


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--seconds", type=float, default=60)
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--warmup", type=float, default=10)
    a = ap.parse_args()
    base = os.path.join(ROOT, "build", "bench")
    os.makedirs(base, exist_ok=True)

    subjects = []
    try:
        subjects.append(Floor("SleepFloor", os.path.join(base, "prefix-sleep"), "SleepFloor.exe"))
        subjects.append(Floor("DialogFloor", os.path.join(base, "prefix-dialog"), "DialogFloor.exe"))
        subjects.append(Utility("GKRTimer", os.path.join(base, "prefix-gkrtimer"), os.path.join(base, "work")))
        subjects.append(Utility("GKRTimer-c", os.path.join(base, "prefix-gkrtimer-child"),
                                os.path.join(base, "work-child"), overlay_mode="child"))
        print(f"wine_cpu: measuring the servers' own use for {a.warmup:.0f} s", flush=True)
        starts = [(s, cpu_seconds(s.server)) for s in subjects]
        t0 = time.monotonic()
        time.sleep(a.warmup)
        for s, before in starts:
            s.server_baseline = (cpu_seconds(s.server) - before) / (time.monotonic() - t0) * 100
        for s in subjects:
            s.start()
        print(f"wine_cpu: programs started; warming up for {a.warmup:.0f} s", flush=True)
        time.sleep(a.warmup)
        for run in range(a.runs):
            for s in subjects:
                s.begin()
            time.sleep(a.seconds)
            for s in subjects:
                s.end()
            print(f"wine_cpu: run {run + 1} of {a.runs} done", flush=True)
    finally:
        for s in subjects:
            s.close()

    print(f"\n{a.runs} runs of {a.seconds:.0f} s; CPU in % of one core, memory resident MB")
    for s in subjects:
        print(f"{s.name:12s} process {summary([x[0] for x in s.samples])}")
        print(f"{'':12s} server  {summary([x[1] for x in s.samples])}")
        print(f"{'':12s} memory  {summary([x[2] for x in s.samples])}")
        print(f"{'':12s} wakes/s {summary([x[3] for x in s.samples])}")
    median = {s.name: [statistics.median(x[i] for x in s.samples) for i in range(4)] for s in subjects}
    g, d, f, c = median["GKRTimer"], median["DialogFloor"], median["SleepFloor"], median["GKRTimer-c"]
    print()
    print(f"GKRTimer (top-level overlays) above GKRTimer-c (child overlays): CPU {g[0] - c[0]:+.3f} "
          f"(server {g[1] - c[1]:+.3f}), total {g[0] + g[1] - c[0] - c[1]:+.3f}, "
          f"context switches {g[3] - c[3]:+.1f}/s, memory {g[2] - c[2]:+.1f} MB")
    print(f"GKRTimer above SleepFloor:  CPU {g[0] - f[0]:+.3f} (server {g[1] - f[1]:+.3f}), memory {g[2] - f[2]:+.1f} MB")
    print(f"GKRTimer above DialogFloor: CPU {g[0] - d[0]:+.3f} (server {g[1] - d[1]:+.3f}), "
          f"total {g[0] + g[1] - d[0] - d[1]:+.3f}, memory {g[2] - d[2]:+.1f} MB")
    cpu_above, memory_above = g[0] + g[1] - d[0] - d[1], g[2] - d[2]
    print(f"ratio to the target: CPU above DialogFloor {cpu_above:.3f} / 0.3 = x{cpu_above / 0.3:.2f}; "
          f"memory above DialogFloor {memory_above:.1f} / 6 MB = x{memory_above / 6:.2f}")
    print(f"ratio GKRTimer/DialogFloor: process CPU x{g[0] / max(d[0], 1e-6):.1f}, memory x{g[2] / max(d[2], 1e-6):.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
