#!/usr/bin/env python3
"""Stages and zips the release package (see scripts/release)."""
import argparse
import hashlib
import os
import shutil
import sys
import zipfile



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


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--source", required=True)
    ap.add_argument("--build", required=True)
    a = ap.parse_args()

    name = f"GKRTimer-{version(a.source)}"
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
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
        for target in sorted(os.listdir(stage)):
            z.write(os.path.join(stage, target), f"{name}/{target}")
    with open(archive + ".sha256", "w") as f:
        f.write(f"{sha256(archive)}  {os.path.basename(archive)}\n")

    print(f"release: {archive}")
    with zipfile.ZipFile(archive) as z:
        for info in z.infolist():
            print(f"  {info.file_size:>10}  {info.filename}")
    print(f"release: sha256 {sha256(archive)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
