#!/usr/bin/env python3
"""Fails when a source file includes a file of a folder above its own.

The folders and their levels come from layers.txt beside this script. Prints
every offending include as path:line and exits 1; exits 0 when all point down.
Usage: check_layers.py [SOURCE_ROOT]
"""
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.MULTILINE)
SUFFIXES = {".h", ".cpp", ".rc"}


def read_layers(path):
    layers = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        folder, level = line.split()
        layers[folder] = None if level == "alone" else int(level)
    return layers


def folder_of(relpath, layers):
    """The longest listed folder that holds relpath, or None."""
    parts = pathlib.PurePosixPath(relpath).parts[:-1]
    for n in range(len(parts), 0, -1):
        candidate = "/".join(parts[:n])
        if candidate in layers:
            return candidate
    return None


def may_include(source, target, layers):
    if source == target:
        return True
    source_level, target_level = layers[source], layers[target]
    if source_level is None or target_level is None:
        return False  # a program of its own shares nothing
    return target_level < source_level


def violations(root, layers):
    found = []
    for top in sorted({folder.split("/")[0] for folder in layers}):
        for path in sorted((root / top).rglob("*")):
            if path.suffix not in SUFFIXES or not path.is_file():
                continue
            relpath = path.relative_to(root).as_posix()
            source = folder_of(relpath, layers)
            text = path.read_text(encoding="utf-8", errors="replace")
            for match in INCLUDE.finditer(text):
                name = match.group(1)
                if "/" not in name:
                    name = (path.parent.relative_to(root) / name).as_posix()  # beside the file
                target = folder_of(name, layers)
                if target is None or may_include(source, target, layers):
                    continue
                line = text.count("\n", 0, match.start()) + 1
                found.append(f"{relpath}:{line}: {source} may not include {match.group(1)} ({target})")
    return found


def main(argv):
    root = pathlib.Path(argv[1] if len(argv) > 1 else HERE.parent.parent).resolve()
    layers = read_layers(HERE / "layers.txt")
    found = violations(root, layers)
    for entry in found:
        print(entry)
    print(f"layering: {len(found)} include(s) pointing up or across")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
