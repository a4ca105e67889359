#!/usr/bin/env python3
"""The layer check: every #include under src/ points into its own folder or a layer below it."""

import re
import sys
from pathlib import Path

# The folders of src/ from the bottom up. A file may include from its own folder and from
# folders of a lower rank; folders of one rank are siblings and stay out of each other.
RANKS = {
    "core/base": 0,
    "core/formats": 1,
    "core/game": 2,
    "core/scene": 3,
    "core/skin": 4,
    "core/tutorial": 4,
    "core/shell": 5,
    "platform/gl": 6,
    "platform/audio": 6,
    "platform/net": 6,
    "platform/ui": 7,
    "app": 8,
}
# The core is standard C++ only: no Qt, OpenGL, OpenAL or curl.
PLATFORM_HEADER = re.compile(r"^(Q|GL/|AL/|curl/)")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(relative):
    for folder in sorted(RANKS, key=len, reverse=True):
        if relative == folder or relative.startswith(folder + "/"):
            return folder
    return None


def check(src):
    problems = []
    edges = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        name = path.relative_to(src).as_posix()
        folder = folder_of(name)
        if folder is None:
            problems.append(f"{name}: lies in no layer")
            continue
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quoted, header = match.group(1) == '"', match.group(2)
            where = f"{name}:{number}"
            if not quoted:
                if folder.startswith("core/") and PLATFORM_HEADER.match(header):
                    problems.append(f"{where}: the core includes the platform header <{header}>")
                continue
            target = folder_of(header) if (src / header).is_file() else None
            if target is None:
                if folder.startswith("core/"):
                    problems.append(f"{where}: the core includes \"{header}\" from outside it")
                continue
            if target == folder:
                continue
            edges.setdefault((folder, target), where)
            if RANKS[target] >= RANKS[folder]:
                problems.append(f"{where}: {folder} includes \"{header}\" from a layer not below it")
    for (a, b), where in sorted(edges.items()):
        if a < b and (b, a) in edges:
            problems.append(f"{a} and {b} include each other ({where}, {edges[(b, a)]})")
    return problems


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[1] / "src")
    problems = check(src)
    for problem in problems:
        print(problem)
    print(f"layer check: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
