#!/usr/bin/env python3
"""Checks the dynamic symbols of libkartavo.so against the public headers.

The public headers are every kartavo/**/*.h outside a detail/ folder. Their
classes, free functions and variables (found by ctags) are the interface:
  - every symbol the library defines out of line for an interface name (a
    function, a variable, a member, vtable or type information of a class)
    must be exported: the declaration needs KARTAVO_API;
  - every exported symbol of the package's namespaces must belong to an
    interface name: anything else is internal and must not carry KARTAVO_API.
Inline functions and template instantiations are compiled into the host and
are not checked.

Usage: check_exports.py <source root> <libkartavo.so> <static library of the same objects>
"""
import collections
import pathlib
import re
import subprocess
import sys

NAMESPACES = ("kartavo::", "fw::", "quillon::", "tessaro::")
SPECIAL = ("vtable for ", "typeinfo for ", "typeinfo name for ", "VTT for ",
           "non-virtual thunk to ", "virtual thunk to ", "covariant return thunk to ")
STRONG = set("TDBRV")  # out-of-line definitions; W (inline, templates) is left out


def public_names(root):
    """Interface classes, and free functions and variables, each with its header and line."""
    headers = [str(p.relative_to(root)) for p in sorted((root / "kartavo").rglob("*.h"))
               if "detail" not in p.relative_to(root).parts]
    out = subprocess.run(
        ["ctags", "--languages=C++", "--language-force=C++", "--kinds-C++=+p+x", "--sort=no",
         "--extras=+q", "--fields=+nKZS", "-DKARTAVO_API=", "-f", "-"] + headers,
        cwd=root, capture_output=True, text=True, check=True).stdout
    classes, functions = {}, {}
    for line in out.splitlines():
        fields = line.split("\t")
        name, header = fields[0], fields[1]
        if "::" not in name:
            continue
        extra = dict(f.split(":", 1) for f in fields[3:] if ":" in f)
        kind = next((f for f in fields[3:] if ":" not in f), "")
        scope = extra.get("scope", "")
        place = f"{header}:{extra.get('line', '?')}"
        if kind in ("class", "struct", "union"):
            classes[name] = place
        elif kind in ("prototype", "function", "variable", "externvar") and \
                scope.startswith("namespace:"):
            signature = extra.get("signature")
            functions.setdefault(name, []).append(
                (place, None if signature is None else parameter_count(signature)))
    return classes, functions


def split_top_level(text):
    """The comma-separated parts of text outside any <>, () or []."""
    depth, parts, current = 0, [], []
    for c in text:
        if c in "<([":
            depth += 1
        elif c in ">)]":
            depth -= 1
        if c == "," and depth == 0:
            parts.append("".join(current))
            current = []
        else:
            current.append(c)
    parts.append("".join(current))
    return [p.strip() for p in parts]


def parameter_count(parameters):
    """Number of parameters of "(...)" text, from ctags or from a demangled name."""
    inner = parameters.strip()
    inner = inner[1:inner.rindex(")")] if inner.startswith("(") else inner
    if inner.strip() in ("", "void"):
        return 0
    return len(split_top_level(inner))


def strip_templates(text):
    depth, out = 0, []
    for c in text:
        if c == "<":
            depth += 1
        elif c == ">":
            depth -= 1
        elif depth == 0:
            out.append(c)
    return "".join(out)


def clean(symbol):
    """The symbol without ABI tags and compiler clone suffixes."""
    symbol = re.sub(r"\[abi:[^\]]*\]", "", symbol)
    return re.sub(r" \[clone [^\]]*\]", "", symbol)


def owner_name(symbol):
    """The qualified name a demangled symbol belongs to (function, variable or
    class) and its parameter text ("" for anything but a function)."""
    for prefix in SPECIAL:
        if symbol.startswith(prefix):
            return owner_name(symbol[len(prefix):])[0], ""
    text, parameters = clean(symbol), ""
    if text.endswith(")") or text.endswith(") const"):
        # Split off the parameter list: the last balanced (...) group.
        depth = 0
        for i in range(text.rindex(")"), -1, -1):
            if text[i] == ")":
                depth += 1
            elif text[i] == "(":
                depth -= 1
                if depth == 0:
                    text, parameters = text[:i], text[i:]
                    break
    text = strip_templates(text)
    if " " in text and "operator" not in text:
        text = text.rsplit(" ", 1)[1]  # a template's return type
    return text, parameters


def symbols(command):
    out = subprocess.run(command, capture_output=True, text=True, check=True).stdout
    found = {}
    for line in out.splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3 and len(parts[1]) == 1:
            found[parts[2]] = parts[1]
    return found


def interface_place(symbol, classes, functions):
    """Where the interface declares what the symbol defines; None for internal code."""
    name, parameters = owner_name(symbol)
    count = parameter_count(parameters) if parameters else None
    for place, declared in functions.get(name, []):
        if count is None or declared is None or declared == count:
            return place
    scope = name
    while "::" in scope:
        if scope in classes:
            return classes[scope]
        scope = scope.rsplit("::", 1)[0]
    if name.rsplit("::", 1)[-1].startswith("operator"):
        # A friend operator belongs to the interface class it takes.
        for parameter in split_top_level(parameters[1:-1]) if parameters else []:
            bare = strip_templates(parameter).replace("const", "").strip(" &*")
            if bare in classes:
                return classes[bare]
    return None


def ours(symbol, kind):
    """A symbol of the package's namespaces that the library defines itself. An
    indirect function (type i, from target_clones) is left out: GCC exports its
    dispatcher whatever the visibility, and hosts cannot name it anyway."""
    name = owner_name(symbol)[0]
    return kind not in "iU" and name.startswith(NAMESPACES) and "{lambda" not in symbol and \
        "(anonymous namespace)" not in symbol and "[clone .resolver]" not in symbol


def main():
    root, shared, static = pathlib.Path(sys.argv[1]).resolve(), sys.argv[2], sys.argv[3]
    classes, functions = public_names(root)
    exported = symbols(["nm", "-D", "-C", "--defined-only", shared])
    defined = symbols(["nm", "-C", "--defined-only", "-g", static])

    missing = collections.defaultdict(list)
    for symbol, kind in defined.items():
        if kind not in STRONG or not ours(symbol, kind) or symbol in exported:
            continue
        place = interface_place(symbol, classes, functions)
        if place:
            missing[place].append(symbol)
    leaking = [s for s, kind in exported.items() if ours(s, kind) and
               not interface_place(s, classes, functions)]

    for place, names in sorted(missing.items()):
        print(f"{place}: declared in a public header but not exported: "
              f"{', '.join(sorted(names)[:3])}{' ...' if len(names) > 3 else ''}\n"
              f"  -> put KARTAVO_API (kartavo/framework/export.h) on this class or function; "
              f"if it is not interface, move the header to a detail/ subfolder")
    for symbol in sorted(leaking):
        print(f"{symbol}: exported but declared in no public header\n"
              f"  -> remove KARTAVO_API from its declaration, or, if it is interface, "
              f"declare it in a public header")
    total = len(missing) + len(leaking)
    print(f"{total} export problem(s)" if total else
          f"{sum(1 for s, k in exported.items() if ours(s, k))} exported symbols, all of them interface; "
          f"every interface definition exported")
    return 1 if total else 0


if __name__ == "__main__":
    sys.exit(main())
