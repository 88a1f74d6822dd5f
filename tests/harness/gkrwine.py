"""Runs Windows programs under Wine for the tests.

- Xvfb is started on a free display when DISPLAY is not set, and stopped again.
- The Wine prefix is private (GKR_WINEPREFIX), created once under a file lock
  and reused; its fonts map the Korean UI faces to NanumGothic.
- Only processes started here are stopped, by their process ids.
- Every wait has a time-out, so a hung Windows program cannot hang the run.
"""
import fcntl
import os
import select
import signal
import subprocess
import sys
import tempfile
import time

WINE = "/usr/lib/wine/wine64" if os.path.exists("/usr/lib/wine/wine64") else "wine"
PREFIX_VERSION = "4"  # bump when the prefix set-up below changes

_FONT_REG = """Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Gulim"="NanumGothic"
"\uad74\ub9bc"="NanumGothic"
"GulimChe"="NanumGothicCoding"
"\uad74\ub9bc\uccb4"="NanumGothicCoding"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"MS Shell Dlg"="NanumGothic"
"MS Shell Dlg 2"="NanumGothic"

; No window manager runs on Xvfb: unmanaged windows keep Wine from waiting
; 2 s for a window manager's answer on every hide, move or destroy.
[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"""


def bin_dir():
    return os.environ.get("GKR_BIN_DIR") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "windows", "bin")


def default_prefix():
    return os.environ.get("GKR_WINEPREFIX") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "wineprefix")


class WineError(RuntimeError):
    pass


class Xvfb:
    """An Xvfb of our own on a free display (picked by Xvfb itself)."""

    def __init__(self, width=1280, height=1024):
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(w)
        deadline = time.monotonic() + 20
        data = b""
        os.set_blocking(r, False)
        while not data.endswith(b"\n"):
            if time.monotonic() > deadline or self.proc.poll() is not None:
                self.stop()
                raise WineError("Xvfb did not start")
            try:
                chunk = os.read(r, 64)
                data += chunk
            except BlockingIOError:
                time.sleep(0.05)
        os.close(r)
        self.display = ":" + data.decode().strip()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(5)


class Wine:
    """A Wine session: environment, prefix, and the processes it started."""

    def __init__(self, prefix=None):
        self.prefix = os.path.abspath(prefix or default_prefix())
        self.xvfb = None
        self.procs = []
        self.last_stderr = ""
        self.env = dict(os.environ)
        if not self.env.get("DISPLAY"):
            self.xvfb = Xvfb()
            self.env["DISPLAY"] = self.xvfb.display
        self.env.update({
            "WINEPREFIX": self.prefix,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })
        self._wait_for_server_exit()
        self._ensure_prefix()
        self._start_keeper()

    # -- server ---------------------------------------------------------------
    # Wine 8 can hang a program that starts while the prefix's wineserver is
    # still coming up or already going down. So a session waits out the server
    # of an earlier session, then starts one keeper process that holds the
    # server (and Wine's desktop process) up until the session ends.
    def _wait_for_server_exit(self, timeout=60):
        try:
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=timeout,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            raise WineError("the previous wineserver did not end")

    def _start_keeper(self):
        probe = os.path.join(bin_dir(), "probe.exe")
        if not os.path.exists(probe):
            return
        keeper = self.start(probe, "post", 0, 0, 0, 0, ";", "sleep", 3600000, stdout=subprocess.PIPE)
        ready, _, _ = select.select([keeper.stdout], [], [], 120)
        if not ready or not keeper.stdout.readline():
            self.close()
            raise WineError("the Wine session did not come up")

    # -- prefix -----------------------------------------------------------
    def _ensure_prefix(self):
        os.makedirs(os.path.dirname(self.prefix), exist_ok=True)
        stamp = os.path.join(self.prefix, ".gkr-prefix")
        with open(self.prefix + ".lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if os.path.exists(stamp):
                with open(stamp) as f:
                    if f.read().strip() == PREFIX_VERSION:
                        return
            self._checked([WINE, "wineboot", "-i"], 180, "wineboot")
            with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as f:
                f.write(b"\xff\xfe" + _FONT_REG.replace("\n", "\r\n").encode("utf-16-le"))
                reg = f.name
            try:
                self._checked([WINE, "regedit", "/S", reg], 60, "regedit")
            finally:
                os.unlink(reg)
            self._checked(["wineserver", "-w"], 60, "wineserver -w")
            with open(stamp, "w") as f:
                f.write(PREFIX_VERSION + "\n")

    def _checked(self, cmd, timeout, what):
        p = subprocess.Popen(cmd, env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            rc = p.wait(timeout)
        except subprocess.TimeoutExpired:
            self._kill(p)
            raise WineError(f"{what} timed out")
        if rc != 0:
            raise WineError(f"{what} failed with {rc}")

    # -- processes --------------------------------------------------------
    def start(self, exe, *args, cwd=None, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL):
        """Starts a Windows program and returns its Popen (pid = the Wine process)."""
        p = subprocess.Popen([WINE, exe, *map(str, args)], env=self.env, cwd=cwd,
                             stdout=stdout, stderr=stderr,
                             start_new_session=True)
        self.procs.append(p)
        return p

    def run(self, exe, *args, timeout=60, cwd=None):
        """Runs a Windows console program to its end; returns (exit code, stdout text).
        The output goes through a file and the run ends with the process: a
        program that starts Wine's desktop process hands it its stdout, so the
        end of a pipe could come only with the session. Wine's own messages on
        stderr are kept in self.last_stderr."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            p = subprocess.Popen([WINE, exe, *map(str, args)], env=self.env, cwd=cwd,
                                 stdout=out, stderr=err, start_new_session=True)
            self.procs.append(p)
            try:
                p.wait(timeout)
            except subprocess.TimeoutExpired:
                self._kill(p)
                raise WineError(f"{os.path.basename(exe)} {' '.join(map(str, args))}: timed out after {timeout} s")
            finally:
                self.procs.remove(p)
            out.seek(0)
            err.seek(0)
            text = out.read()
            self.last_stderr = err.read().decode("utf-8", "replace").strip()
        return p.returncode, text.decode("utf-8", "replace").replace("\r\n", "\n")

    def probe(self, *args, timeout=30):
        """Runs probe.exe with the given command(s); returns (exit code, output lines).
        The probe prints a line for every outcome of its own, so a failure with
        no output at all means Wine did not run it; that is tried once more."""
        exe = os.path.join(bin_dir(), "probe.exe")
        code, out = self.run(exe, *args, timeout=timeout)
        if code != 0 and not out.strip():
            print(f"gkrwine: probe did not run (exit {code}, wine said: {self.last_stderr[-500:]!r}); "
                  "trying again", file=sys.stderr)
            time.sleep(0.5)
            code, out = self.run(exe, *args, timeout=timeout)
        return code, out.splitlines()

    def probe_ok(self, *args, timeout=30):
        """probe() that raises unless the probe succeeded; returns the output lines."""
        code, lines = self.probe(*args, timeout=timeout)
        if code != 0:
            raise WineError(f"probe {' '.join(map(str, args))} failed ({code}): {lines}")
        return lines

    def find_window(self, cls, title="", timeout_ms=10000):
        """Handle (as an int) of the top-level window of class cls, or None."""
        code, lines = self.probe("find", cls, title, timeout_ms, timeout=timeout_ms / 1000 + 30)
        if code != 0:
            return None
        return int(lines[0].split()[1], 16)

    def wait(self, proc, timeout):
        """Exit code of proc, or None if it is still running after timeout seconds."""
        try:
            return proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    @staticmethod
    def _kill(p):
        if p.poll() is None:
            try:
                os.kill(p.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                pass

    def close(self):
        for p in self.procs:
            self._kill(p)
            for stream in (p.stdout, p.stderr):
                if stream:
                    stream.close()
        self.procs.clear()
        try:
            self._wait_for_server_exit()
        except WineError:
            pass
        if self.xvfb:
            self.xvfb.stop()
            self.xvfb = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
