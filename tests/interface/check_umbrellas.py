#!/usr/bin/env python3
"""Fails when a public header of a module cannot be reached from the module's
umbrella header(s), so that a host including the umbrella finds every name of
the module's interface. Usage: check_umbrellas.py <repository root>"""
import re

from report import run_check

UMBRELLAS = {
    "framework": ["framework.h"],
    "companion": ["quillon.h", "tessaro.h", "draw_frame.h"],
    "package": ["package.h"],
    "geobasics": ["geobasics.h"],
    "geodb": ["geodb.h"],
    "geomap": ["geomap.h"],
    "geoatlas": ["geoatlas.h"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"(kartavo/[^"]+)"', re.M)


def reachable(root, starts):
    seen, todo = set(), list(starts)
    while todo:
        header = todo.pop()
        if header in seen or not (root / header).is_file():
            continue
        seen.add(header)
        todo.extend(INCLUDE.findall((root / header).read_text(errors="replace")))
    return seen


def problems(root):
    for module, names in UMBRELLAS.items():
        folder = root / "kartavo" / module
        public = sorted(str(p.relative_to(root)) for p in folder.rglob("*.h")
                        if "detail" not in p.relative_to(folder).parts)
        if not public:
            continue
        umbrellas = [f"kartavo/{module}/{n}" for n in names]
        reached = reachable(root, umbrellas)
        for header in public:
            if header not in reached:
                yield (f"{header}: public, but no umbrella of {module} ({', '.join(umbrellas)}) "
                       f"includes it; include it in {umbrellas[0]}, or move it to a "
                       f"detail/ subfolder of its folder if it is not interface")


if __name__ == "__main__":
    run_check(problems, "public header(s) out of reach", "umbrellas reach every public header")
