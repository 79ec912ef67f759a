#!/usr/bin/env python3
"""Fails when a file of the library includes a header of a higher layer, or a
public header includes an internal (detail/) one.

Layers, lowest first: framework, companion, package frame, geobasics and geodb
(side by side, neither uses the other), geomap (on geobasics), geoatlas (on
geomap), backend_qt. Usage: check_layers.py <repository root>"""
import re

from report import run_check

BELOW = {
    "framework": set(),
    "companion": {"framework"},
    "package": {"framework", "companion"},
    "geobasics": {"framework", "companion", "package"},
    "geodb": {"framework", "companion", "package"},
    "geomap": {"framework", "companion", "package", "geobasics"},
    "geoatlas": {"framework", "companion", "package", "geobasics", "geomap"},
    "backend_qt": {"framework", "companion", "package", "geobasics", "geodb", "geomap",
                   "geoatlas"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"](kartavo/([A-Za-z0-9_]+)/[^">]+)[">]')


def problems(root):
    lib = root / "kartavo"
    for path in sorted(lib.rglob("*")):
        if path.suffix not in (".h", ".inl", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(root)
        module = rel.parts[1]
        if module not in BELOW:
            yield (f"{rel}: module folder '{module}' has no place in the layers; "
                   "add it to BELOW in tests/interface/check_layers.py")
            continue
        public_header = path.suffix == ".h" and "detail" not in rel.parts
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            target, target_module = m.group(1), m.group(2)
            if target_module != module and target_module not in BELOW[module]:
                allowed = ", ".join(sorted(BELOW[module])) or "nothing but itself"
                yield (f"{rel}:{number}: includes {target}, but {module} may use only "
                       f"{allowed}; move what both need down to a layer both may use")
            if public_header and "/detail/" in target:
                yield (f"{rel}:{number}: public header includes internal {target}; "
                       "make that header public (move it out of detail/) or keep the "
                       "include in a .cpp file")


if __name__ == "__main__":
    run_check(problems, "layer violation(s)", "layers hold")
