#!/usr/bin/env python3
"""Fails when a module includes a module it may not use.

The allowed uses are the README's layout table; a source file's module is its
top folder. Prints each offending include as file:line and exits 1.
Usage: check_layering.py <repository root>
"""
import pathlib
import re
import sys

ALLOWED = {
    "platform": set(),
    "project": {"platform"},
    "convert": {"project", "platform"},
    "formats": {"convert", "project", "platform"},
    "script": {"platform"},
    "mapeditor": {"formats", "convert", "project", "platform"},
    "app": {"script", "mapeditor", "formats", "convert", "project", "platform"},
    "ui": {"app", "script", "mapeditor", "formats", "convert", "project", "platform"},
}
# The console tools stand alone: nothing of the repository but their own folder.
TOOLS = ("tools/tilecvt", "tools/hdrbake")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]')
QT = re.compile(r"^Q[A-Za-z]+$|^Qt")


def problems(root):
    modules = set(ALLOWED)
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(root).as_posix()
        top = rel.split("/", 1)[0]
        tool = next((t for t in TOOLS if rel.startswith(t + "/")), None)
        if top not in modules and not tool:
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            target = m.group(1)
            used = target.split("/", 1)[0] if "/" in target else None
            if tool:
                if used in modules or target.startswith("tools/"):
                    if not target.startswith(tool + "/"):
                        yield f"{rel}:{number}: {tool} includes {target}"
                continue
            if used in modules and used != top and used not in ALLOWED[top]:
                yield f"{rel}:{number}: {top} may not include {target}"
            if top != "ui" and QT.match(target.split("/", 1)[0]):
                yield f"{rel}:{number}: the core may not include Qt ({target})"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = list(problems(root))
    for p in found:
        print(p)
    print(f"layering: {len(found)} forbidden include(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
