"""Runs Windows programs under Wine for the tests.

- Xvfb is started on a free display when DISPLAY is not set, and stopped again.
- The Wine prefix is private (GKR_WINEPREFIX), created once under a file lock
  and reused; its fonts map the Korean UI faces to NanumGothic.
- Under ctest a test holds a Wine slot (a ctest resource): the session then
  runs in that slot's own copy of the prefix and its own Xvfb, so tests in
  other slots neither see its windows nor share its keyboard, and it ends by
  ending its Wine server instead of waiting out the server's linger.
- One probe.exe serves the whole session, a query per line on its stdin.
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
"""

# No window manager runs on bare Xvfb: unmanaged windows keep Wine from waiting
# 2 s for a window manager's answer on every hide, move or destroy. A desktop
# session keeps Wine's default (managed), as a player's prefix does.
_UNMANAGED_REG = """
[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"""


def bin_dir():
    return os.environ.get("GKR_BIN_DIR") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "windows", "bin")


def default_prefix():
    return os.environ.get("GKR_WINEPREFIX") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "wineprefix")


def desktop_prefix():
    """The managed prefix of desktop sessions, beside the plain one."""
    return default_prefix().rstrip("/") + "-desktop"


class WineError(RuntimeError):
    pass


def ctest_slot():
    """Id of the Wine slot ctest gave this test (resource "wine"), or None."""
    for group in range(int(os.environ.get("CTEST_RESOURCE_GROUP_COUNT", "0") or 0)):
        if os.environ.get(f"CTEST_RESOURCE_GROUP_{group}") == "wine":
            for field in os.environ.get(f"CTEST_RESOURCE_GROUP_{group}_WINE", "").split(";")[0].split(","):
                if field.startswith("id:"):
                    return field[3:]
    return None


PROBE_END = "\x1e"  # starts the line that ends a served probe's answer: RS + exit code


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
        _terminate(self.proc)


def _terminate(proc):
    """Asks a process of ours to end, then kills it if it has not within 5 s."""
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait(5)


class Desktop:
    """A player's desktop: an Xvfb of our own with openbox managing its windows."""

    def __init__(self, timeout=20):
        self.xvfb = Xvfb()
        self.display = self.xvfb.display
        self.env = dict(os.environ, DISPLAY=self.display)
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        # Up before any Wine window, as a player's desktop is before the game.
        deadline = time.monotonic() + timeout
        while not self._wm_ready():
            if time.monotonic() > deadline or self.wm.poll() is not None:
                self.stop()
                raise WineError("openbox did not take the display")
            time.sleep(0.05)

    def _wm_ready(self):
        try:
            out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env, timeout=5,
                                 capture_output=True, text=True).stdout
        except subprocess.TimeoutExpired:
            return False
        return "window id #" in out

    def stop(self):
        _terminate(self.wm)
        self.xvfb.stop()


class Wine:
    """A Wine session: environment, prefix, and the processes it started.
    desktop=True: under openbox on an X server of its own, in a managed prefix."""

    def __init__(self, prefix=None, desktop=False):
        slot = None if prefix else ctest_slot()
        self.managed = desktop
        self.prepared = os.path.abspath(prefix or (desktop_prefix() if desktop else default_prefix()))
        self.prefix = self.prepared + f"-slot{slot}" if slot else self.prepared
        self.private = slot is not None
        self.xvfb = None
        self.procs = []
        self.server = None
        self._pending = b""
        self.last_stderr = ""
        self.env = dict(os.environ)
        if desktop:
            self.xvfb = Desktop()
        elif self.private or not self.env.get("DISPLAY"):
            self.xvfb = Xvfb()
        if self.xvfb:
            self.env["DISPLAY"] = self.xvfb.display
        self.env.update({
            "WINEPREFIX": self.prepared,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })
        try:
            self._ensure_prefix()
            if self.private:
                self._copy_prefix()
                self.env["WINEPREFIX"] = self.prefix
                self._end_server()  # what a killed earlier run of this slot left
            else:
                self._wait_for_server_exit()
            self._start_keeper()
        except BaseException:
            self.close()
            raise

    # -- server ---------------------------------------------------------------
    # Wine 8 can hang a program that starts while the prefix's wineserver is
    # still coming up or already going down. So a session waits out the server
    # of an earlier session (or, in a slot of its own, ends it), then starts one
    # keeper process that holds the server (and Wine's desktop process) up
    # until the session ends. The keeper is the serving probe.
    def _wait_for_server_exit(self, timeout=60):
        try:
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=timeout,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            raise WineError("the previous wineserver did not end")

    def _end_server(self, timeout=30):
        """Kills every process of this (private) prefix and its server, then
        waits for the server to be gone."""
        try:
            subprocess.run(["wineserver", "-k"], env=self.env, timeout=timeout,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            raise WineError("wineserver -k did not end")
        self._wait_for_server_exit(timeout)

    def _start_keeper(self):
        if not os.path.exists(os.path.join(bin_dir(), "probe.exe")):
            return
        self._start_server(120)

    def _start_server(self, timeout):
        exe = os.path.join(bin_dir(), "probe.exe")
        self.server = subprocess.Popen([WINE, exe, "serve"], env=self.env, stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                       start_new_session=True)
        self._pending = b""
        try:
            if self._read_line(time.monotonic() + timeout) != "ready":
                raise WineError("the serving probe did not start")
        except WineError:
            self._stop_server()
            raise WineError("the Wine session did not come up")

    def _read_line(self, deadline):
        """One line of the serving probe's output (without its end), or WineError at
        the deadline or once the probe has ended. (Wine's desktop process may hold
        the pipe open, so the pipe's end is not waited for.)"""
        fd = self.server.stdout.fileno()
        while b"\n" not in self._pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise WineError("no answer from the serving probe")
            ready, _, _ = select.select([fd], [], [], min(left, 0.5))
            if ready:
                chunk = os.read(fd, 65536)
                if not chunk:
                    raise WineError("the serving probe ended")
                self._pending += chunk
            elif self.server.poll() is not None:
                raise WineError(f"the serving probe ended with {self.server.returncode}")
        line, self._pending = self._pending.split(b"\n", 1)
        return line.decode("utf-8", "replace").rstrip("\r")

    def _stop_server(self):
        if self.server:
            self._kill(self.server)
            for stream in (self.server.stdin, self.server.stdout):
                try:
                    stream.close()
                except OSError:
                    pass
            self.server = None

    # -- prefix -----------------------------------------------------------
    def _ensure_prefix(self):
        os.makedirs(os.path.dirname(self.prepared), exist_ok=True)
        stamp = os.path.join(self.prepared, ".gkr-prefix")
        with open(self.prepared + ".lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if os.path.exists(stamp):
                with open(stamp) as f:
                    if f.read().strip() == PREFIX_VERSION:
                        return
            self._checked([WINE, "wineboot", "-i"], 180, "wineboot")
            with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as f:
                text = _FONT_REG + ("" if self.managed else _UNMANAGED_REG)
                f.write(b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le"))
                reg = f.name
            try:
                self._checked([WINE, "regedit", "/S", reg], 60, "regedit")
            finally:
                os.unlink(reg)
            self._checked(["wineserver", "-w"], 60, "wineserver -w")
            with open(stamp, "w") as f:
                f.write(PREFIX_VERSION + "\n")

    def _copy_prefix(self):
        """The slot's prefix: a copy of the prepared one, made again when that changed."""
        with open(os.path.join(self.prepared, ".gkr-prefix")) as f:
            want = f.read()
        stamp = os.path.join(self.prefix, ".gkr-prefix")
        with open(self.prefix + ".lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if os.path.exists(stamp):
                with open(stamp) as f:
                    if f.read() == want:
                        return
            fresh = self.prefix + ".new"
            subprocess.run(["rm", "-rf", fresh, self.prefix], check=True, timeout=120)
            with open(self.prepared + ".lock", "w") as prepared_lock:
                fcntl.flock(prepared_lock, fcntl.LOCK_SH)
                subprocess.run(["cp", "-a", "--reflink=auto", self.prepared, fresh], check=True, timeout=300)
            os.rename(fresh, self.prefix)

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
        """Runs probe.exe command(s) (joined with ";"); returns (exit code, output lines).
        They go to the session's serving probe; a query that does not end in
        time stops that probe (the next query starts another) and raises WineError."""
        args = [str(a) for a in args]
        if any("\t" in a or "\n" in a for a in args):
            raise WineError(f"probe arguments cannot hold tabs or line ends: {args!r}")
        if self.server is None or self.server.poll() is not None:
            self._stop_server()
            self._start_server(60)
        deadline = time.monotonic() + timeout
        try:
            self.server.stdin.write(("\t".join(args) + "\n").encode("utf-8"))
            self.server.stdin.flush()
            lines = []
            while not (line := self._read_line(deadline)).startswith(PROBE_END):
                lines.append(line)
        except (WineError, OSError) as e:
            self._stop_server()
            raise WineError(f"probe {' '.join(args)}: {e} within {timeout} s")
        return int(line[1:]), lines

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
        self._stop_server()
        for p in self.procs:
            self._kill(p)
            for stream in (p.stdout, p.stderr):
                if stream:
                    stream.close()
        self.procs.clear()
        try:
            if self.private:
                self._end_server()
            else:
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
