#!/usr/bin/env python3
"""Fails when a source file includes a header of a higher layer.

Layers, lowest first: platform < settings < engine < install < ui < app < front ends
(ui/console, ui/qt, ui/win32). ui/headless is the in-memory front end of tests and the console:
only they may use it. A front end uses no other front end.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
RANK = {"platform": 0, "settings": 1, "engine": 2, "install": 3, "ui": 4, "app": 5}
FRONT_ENDS = {"ui/console", "ui/qt", "ui/win32", "ui/headless"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def unit(path):
    """The layer or front end a path under src/ belongs to."""
    parts = pathlib.PurePosixPath(path).parts
    if parts[0] == "ui" and len(parts) > 2 and f"ui/{parts[1]}" in FRONT_ENDS:
        return f"ui/{parts[1]}"
    return parts[0]


def allowed(source, target):
    if source == target:
        return True
    if target in FRONT_ENDS:
        # Only the console may build on the in-memory controls.
        return source == "ui/console" and target == "ui/headless"
    if source in FRONT_ENDS:
        return target in RANK
    if source not in RANK or target not in RANK:
        return False
    return RANK[target] < RANK[source]


def main():
    src = ROOT / "src"
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        source = unit(path.relative_to(src).as_posix())
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or not (src / match.group(1)).exists():
                continue
            target = unit(match.group(1))
            if not allowed(source, target):
                faults.append(f"{path.relative_to(ROOT)}:{number}: {source} includes {target}: "
                              f"{match.group(1)}")
    for fault in faults:
        print(fault)
    if faults:
        print("Includes must run down the layers: platform < settings < engine < install < ui < "
              "app < front ends; ui/headless only for the console and tests.")
        return 1
    print("layers: every include runs down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
