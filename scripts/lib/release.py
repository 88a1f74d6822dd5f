#!/usr/bin/env python3
"""Stages and zips the release package (see scripts/release)."""
import argparse
import hashlib
import os
import shutil
import sys
import time
import zipfile

# Every entry gets the same owner-independent permissions (rw-r--r--, a Unix
# regular file), whatever the umask of the machine that built it.
ENTRY_ATTRIBUTES = 0o100644 << 16


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 16), b""):
            digest.update(chunk)
    return digest.hexdigest()


def version(source):
    with open(os.path.join(source, "resources", "version.h")) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[:2] == ["#define", "GKR_VERSION_TEXT"]:
                return parts[2].strip('"')
    raise SystemExit("release: no GKR_VERSION_TEXT in resources/version.h")


def entry_date():
    """The zip's entry date: SOURCE_DATE_EPOCH (the commit's time), in UTC so
    that the time zone of the building machine does not show."""
    text = os.environ.get("SOURCE_DATE_EPOCH", "")
    try:
        stamp = time.gmtime(int(text))
    except (ValueError, OverflowError):
        raise SystemExit(f"release: SOURCE_DATE_EPOCH must be seconds since 1970, not {text!r}")
    if stamp.tm_year < 1980:  # the earliest date a zip entry can carry
        raise SystemExit(f"release: SOURCE_DATE_EPOCH {text} lies before 1980")
    return stamp[:6]


def write_zip(archive, stage, top, date):
    """Entries in name order with fixed dates and permissions: the zip's bytes
    follow from the staged files' bytes alone."""
    partial = archive + ".partial"
    with zipfile.ZipFile(partial, "w") as z:
        for target in sorted(os.listdir(stage)):
            info = zipfile.ZipInfo(f"{top}/{target}", date_time=date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3
            info.external_attr = ENTRY_ATTRIBUTES
            with open(os.path.join(stage, target), "rb") as f:
                z.writestr(info, f.read())
    os.replace(partial, archive)  # a failed run leaves no cut zip behind


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--source", required=True)
    ap.add_argument("--build", required=True)
    a = ap.parse_args()

    name = f"GKRTimer-{version(a.source)}"
    date = entry_date()
    out = os.path.join(a.build, "release")
    stage = os.path.join(out, name)
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    bindir = os.path.join(a.build, "windows", "bin")
    files = {
        "GKRTimer.exe": os.path.join(bindir, "GKRTimer.exe"),
        "DummyGKR.exe": os.path.join(bindir, "DummyGKR.exe"),
        "SData.xml": os.path.join(a.source, "samples", "SData.xml"),
        "README-players.txt": os.path.join(a.source, "packaging", "README-players.txt"),
    }
    for target, path in files.items():
        shutil.copy2(path, os.path.join(stage, target))
    with open(os.path.join(stage, "SHA256SUMS.txt"), "w", newline="\r\n") as f:
        for target in sorted(files):
            f.write(f"{sha256(os.path.join(stage, target))}  {target}\n")

    archive = os.path.join(out, name + ".zip")
    write_zip(archive, stage, name, date)
    with open(archive + ".sha256", "w") as f:
        f.write(f"{sha256(archive)}  {os.path.basename(archive)}\n")

    print(f"release: {archive}")
    with zipfile.ZipFile(archive) as z:
        for info in z.infolist():
            print(f"  {info.file_size:>10}  {info.filename}")
    for program in ("GKRTimer.exe", "DummyGKR.exe"):
        symbols = os.path.join(bindir, program + ".debug")
        print(f"release: sha256 {sha256(symbols)}  {os.path.relpath(symbols, a.build)}")
    print(f"release: sha256 {sha256(archive)}  {os.path.basename(archive)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
