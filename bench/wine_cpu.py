#!/usr/bin/env python3
"""What GKRTimer costs under Wine, measured against floor programs in the same window.

    bench/wine_cpu.py [--seconds 60] [--runs 3] [--warmup 10] [--before BIN_DIR]

Six Wine sessions (eight with --before) run side by side, each with its own prefix (under
build/bench/) and its own X server:
  - Empty: nothing runs in it but Wine itself;
  - SleepFloor: SleepFloor.exe (a 50 ms sleep loop, no window) beside DummyGKR;
  - DialogFloor: DialogFloor.exe (a dialog with a 1 s timer) beside DummyGKR;
  - GKRTimer, nothing bound: GKRTimer.exe beside DummyGKR with all three
    overlays shown, the quest timer running and a song effect counting down;
  - GKRTimer, 8 chords: the same with eight two-key chords bound (never held);
  - GKRTimer, child overlays: nothing bound, the overlays children of the game
    window as on Windows (GKR_OVERLAY_MODE=child; Wine does not draw them), so
    that what the top-level overlays cost under Wine shows beside it.
  - with --before, the same two for the GKRTimer.exe in BIN_DIR, so a change
    is compared with what it replaces under the very same load.

CPU is read from /proc/PID/task/*/schedstat (nanoseconds on the CPU, and how
often each thread was put on it: its wakes), for every process of a session:
the program, its Wine server, Wine's own processes and its Xvfb. A session's
"rest" (everything but the program and DummyGKR) is taken minus the Empty
session's total over the same window, so the Wine server's and the X
server's background cancel out instead of being estimated beforehand.
DummyGKR runs in every program session, so its own cost cancels in the
differences too. Each run pairs GKRTimer with the floors measured in that
same run; min/median/max are taken over those paired differences. Needs the
Windows programs built (scripts/build)."""
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
from manager_support import SCENE, Dummy, GkrTimer, any_overlays, wait_until  # noqa: E402

WM_LBUTTONUP = 0x0202
TARGETS = {"nothing bound": 0.12, "8 chords": 0.20, "child overlays": 0.12}  # % of one core above DialogFloor
SONG = 2575            # notes 5-7-5-2 on the panel, most recent first: a 300 s effect
VK_CONTROL, VK_F1 = 0x11, 0x70


# -- reading /proc ---------------------------------------------------------------

def thread_stats(pid):
    """{tid: (ns on the CPU, times put on the CPU)} of one process; {} once it is gone."""
    result = {}
    try:
        tids = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return result
    for tid in tids:
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                ns, _wait, slices = f.read().split()[:3]
            result[int(tid)] = (int(ns), int(slices))
        except (OSError, ValueError):
            continue
    return result


def thread_name(pid, tid):
    try:
        with open(f"/proc/{pid}/task/{tid}/comm") as f:
            return f.read().strip()
    except OSError:
        return "?"


def resident_mb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
    except OSError:
        pass
    return 0.0


def prefix_pids(prefix):
    """Every process whose environment names this Wine prefix: its server,
    Wine's own processes and the programs run in it."""
    wanted = b"WINEPREFIX=" + os.fsencode(os.path.abspath(prefix))
    pids = set()
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/environ", "rb") as f:
                if wanted in f.read().split(b"\0"):
                    pids.add(int(entry))
        except OSError:
            continue
    return pids


# -- sessions --------------------------------------------------------------------

class Session:
    """One Wine session (prefix and X server of its own) and what runs in it."""

    def __init__(self, name, prefix):
        self.name = name
        display = os.environ.pop("DISPLAY", None)  # a fresh Xvfb for each session
        try:
            self.wine = gkrwine.Wine(prefix=prefix)
        finally:
            if display is not None:
                os.environ["DISPLAY"] = display
        self.program = None  # pid of the measured program, if any
        self.dummy = None
        self.runs = []       # per run: {"program", "rest", "memory", "threads"}

    def start(self):
        pass

    def before_run(self):
        pass

    def _pids(self):
        pids = prefix_pids(self.wine.prefix)
        if self.wine.xvfb:
            pids.add(self.wine.xvfb.proc.pid)
        return pids

    def sample(self):
        """{pid: {tid: (ns, slices)}} of every process of the session now."""
        return {pid: thread_stats(pid) for pid in self._pids()}

    def record(self, before, after, seconds):
        """Adds one run from two samples taken `seconds` apart."""
        program = self.program
        dummy = self.dummy.proc.pid if self.dummy else None
        ns = {"program": 0, "rest": 0}
        threads = []
        for pid, tasks in after.items():
            if pid == dummy:
                continue
            old = before.get(pid, {})
            for tid, (t_ns, t_slices) in tasks.items():
                o_ns, o_slices = old.get(tid, (0, 0))
                used, wakes = t_ns - o_ns, t_slices - o_slices
                if pid == program:
                    ns["program"] += used
                    threads.append((tid, thread_name(pid, tid), used, wakes))
                else:
                    ns["rest"] += used
        percent = {k: v / 1e9 / seconds * 100 for k, v in ns.items()}
        self.runs.append({
            "program": percent["program"],
            "rest": percent["rest"],
            "memory": resident_mb(program) if program else 0.0,
            "threads": [(tid, name, used / 1e9 / seconds * 100, wakes / seconds)
                        for tid, name, used, wakes in sorted(threads)],
        })

    def close(self):
        self.wine.close()


class Floor(Session):
    def __init__(self, name, prefix, work, exe):
        super().__init__(name, prefix)
        self.exe = exe
        self.work = fresh_folder(work)

    def start(self):
        self.dummy = Dummy(self.wine, self.work)
        self.program = self.wine.start(os.path.join(gkrwine.bin_dir(), self.exe), cwd=self.work).pid


class Utility(Session):
    """GKRTimer beside DummyGKR with all three overlays on, the timer running
    and a song effect counting down; `chords` two-key chords bound."""

    def __init__(self, name, prefix, work, chords, bin_dir=None, overlay_mode=None):
        super().__init__(name, prefix)
        if overlay_mode:
            self.wine.env["GKR_OVERLAY_MODE"] = overlay_mode
        self.work = fresh_folder(work)
        self.bin_dir = bin_dir  # another build's GKRTimer.exe, measured in the same run
        write_bench_conf(self.work, chords)
        shutil.copy(os.path.join(ROOT, "samples", "SData.xml"), self.work)

    def start(self):
        self.dummy = Dummy(self.wine, self.work)
        own = os.environ.get("GKR_BIN_DIR")
        if self.bin_dir:
            os.environ["GKR_BIN_DIR"] = self.bin_dir
        try:
            app = GkrTimer(self.wine, cwd=self.work)
        finally:
            if own is None:
                os.environ.pop("GKR_BIN_DIR", None)
            else:
                os.environ["GKR_BIN_DIR"] = own
        self.program = app.proc.pid
        if wait_until(lambda: len(any_overlays(self.wine, self.dummy.hwnd)) == 3, 8) is None:
            raise RuntimeError(f"{self.name}: no overlays")
        timer = any_overlays(self.wine, self.dummy.hwnd)["GKRTimerWnd"]["hwnd"]
        self.wine.probe_ok("post", hex(timer), WM_LBUTTONUP, 0, 50 | 10 << 16)  # a click starts the clock
        self.dummy.command(SCENE.kCmdNotePanelBase + SONG)

    def before_run(self):
        # Played again before each run, so every run has a countdown on screen.
        self.dummy.command(SCENE.kCmdNotePanelBase)
        time.sleep(1.2)  # the panel is read twice a second: let it see the empty panel
        self.dummy.command(SCENE.kCmdNotePanelBase + SONG)


def fresh_folder(path):
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def write_bench_conf(cwd, chords):
    """All overlays on and known notes; the first `chords` actions bound to
    Ctrl + F1.., chords nobody holds during the run."""
    options = dict(UseTimer=1, UseEnergy=1, UseFlute=1, UpNote=1, DownNote=3, SideNote=6, UseKey=1, UsePad=1)
    attributes = " ".join(f'{k}="{v}"' for k, v in options.items())
    accels = []
    for n in range(8):
        keys = f'<Key Code="{VK_CONTROL}" /><Key Code="{VK_F1 + n}" />' if n < chords else ""
        accels.append(f'    <Accel Name="a{n}" Num="{n}">{keys}</Accel>')
    with open(os.path.join(cwd, "conf.xml"), "w", encoding="ascii") as f:
        f.write(f"<Setting {attributes}>\n" + "\n".join(accels) + "\n</Setting>\n")


# -- report ----------------------------------------------------------------------

def spread(values):
    return f"min {min(values):7.3f}  median {statistics.median(values):7.3f}  max {max(values):7.3f}"


def report(sessions, seconds):
    empty = sessions["Empty"]
    floor = sessions["DialogFloor"]
    runs = len(empty.runs)
    print(f"\n{runs} runs of {seconds:.0f} s side by side; CPU in % of one core from schedstat;")
    print("rest = Wine server, Wine's processes and Xvfb of the session, minus the Empty session's in the same run\n")
    print(f"{'Empty':26s} total   {spread([r['rest'] for r in empty.runs])}")

    def total(session, run):
        return session.runs[run]["program"] + session.runs[run]["rest"] - empty.runs[run]["rest"]

    for name, s in sessions.items():
        if name == "Empty":
            continue
        print(f"{name:26s} program {spread([r['program'] for r in s.runs])}")
        print(f"{'':26s} rest    {spread([r['rest'] - e['rest'] for r, e in zip(s.runs, empty.runs)])}")
        print(f"{'':26s} total   {spread([total(s, i) for i in range(runs)])}")
        print(f"{'':26s} memory  {spread([r['memory'] for r in s.runs])} MB")

    print("\nGKRTimer above DialogFloor, paired run by run (total: program + rest):")
    for name, s in sessions.items():
        if not name.startswith("GKRTimer"):
            continue
        config = name.split(", ", 1)[1]
        label = name[len("GKRTimer"):].lstrip(", ").strip()
        above = [total(s, i) - total(floor, i) for i in range(runs)]
        memory = [s.runs[i]["memory"] - floor.runs[i]["memory"] for i in range(runs)]
        target = TARGETS[config]
        verdict = "within" if statistics.median(above) <= target else "ABOVE"
        print(f"  {label:22s} CPU {spread(above)}   target <= {target:.2f}: {verdict}")
        print(f"  {'':22s} memory {spread(memory)} MB")

    top, child = sessions["GKRTimer, nothing bound"], sessions["GKRTimer, child overlays"]
    print("\nTop-level overlays (Wine's) above child overlays (Windows'), paired run by run, nothing bound:")
    print(f"  CPU {spread([total(top, i) - total(child, i) for i in range(runs)])}")
    wakes = [sum(t[3] for t in top.runs[i]['threads']) - sum(t[3] for t in child.runs[i]['threads'])
             for i in range(runs)]
    print(f"  wakes of GKRTimer's threads {spread(wakes)} a second")

    for name, s in sessions.items():
        if not name.startswith("GKRTimer"):
            continue
        print(f"\n{name}: per thread, median over the runs (CPU %, wakes a second)")
        by_tid = {}
        for r in s.runs:
            for tid, label, cpu, wakes in r["threads"]:
                by_tid.setdefault((tid, label), []).append((cpu, wakes))
        # Wine names every thread after the program: they are told apart by
        # the order they were started in (thread ids grow).
        order = {tid: n for n, (tid, _) in enumerate(sorted(by_tid))}
        for (tid, label), values in sorted(by_tid.items()):
            role = "main (interface)" if tid == s.program else f"{label} #{order[tid]}"
            cpu = statistics.median(v[0] for v in values)
            wakes = statistics.median(v[1] for v in values)
            if cpu < 0.0005 and wakes < 0.05:
                continue  # threads that slept through every run
            print(f"  {tid:8d} {role:18s} {cpu:7.3f} %  {wakes:7.1f}/s")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--seconds", type=float, default=60)
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--warmup", type=float, default=10)
    ap.add_argument("--before", metavar="BIN_DIR",
                    help="also measure the GKRTimer.exe of another build (say, the last release) in the same runs")
    a = ap.parse_args()
    base = os.path.join(ROOT, "build", "bench")
    os.makedirs(base, exist_ok=True)

    sessions = {}
    try:
        sessions["Empty"] = Session("Empty", os.path.join(base, "prefix-empty"))
        sessions["SleepFloor"] = Floor("SleepFloor", os.path.join(base, "prefix-sleep"),
                                       os.path.join(base, "work-sleep"), "SleepFloor.exe")
        sessions["DialogFloor"] = Floor("DialogFloor", os.path.join(base, "prefix-dialog"),
                                        os.path.join(base, "work-dialog"), "DialogFloor.exe")
        builds = [("", None)] + ([("before", os.path.abspath(a.before))] if a.before else [])
        for label, bin_dir in builds:
            for chords, config in ((0, "nothing bound"), (8, "8 chords")):
                name = f"GKRTimer{' ' + label if label else ''}, {config}"
                tag = f"{label}-{chords}" if label else f"{chords}"
                sessions[name] = Utility(name, os.path.join(base, f"prefix-gkrtimer-{tag}"),
                                         os.path.join(base, f"work-gkrtimer-{tag}"), chords, bin_dir)
        sessions["GKRTimer, child overlays"] = Utility(
            "GKRTimer, child overlays", os.path.join(base, "prefix-gkrtimer-child"),
            os.path.join(base, "work-gkrtimer-child"), 0, overlay_mode="child")
        for s in sessions.values():
            s.start()
        print(f"wine_cpu: programs started; warming up for {a.warmup:.0f} s", flush=True)
        time.sleep(a.warmup)
        for run in range(a.runs):
            for s in sessions.values():
                s.before_run()
            before = {name: s.sample() for name, s in sessions.items()}
            t0 = time.monotonic()
            time.sleep(a.seconds)
            after = {name: s.sample() for name, s in sessions.items()}
            elapsed = time.monotonic() - t0
            for name, s in sessions.items():
                s.record(before[name], after[name], elapsed)
            print(f"wine_cpu: run {run + 1} of {a.runs} done", flush=True)
    finally:
        for s in sessions.values():
            s.close()

    report(sessions, a.seconds)
    return 0


if __name__ == "__main__":
    sys.exit(main())
