#!/usr/bin/env python3
"""Fails when an exe imports a function that one of the systems it must start on does not export.

Usage: check_imports.py <objdump> <exe> [--wide-95 <list>] <list>...
Each list names the functions one system is known to export, a line "library function"
(library without ".dll", any case); '#' starts a comment, which says where the names came from.
Windows refuses to load a program whose import it cannot resolve, before any of its code runs.
--wide-95 names the wide-character functions the 95 family implements: there every other one is an
exported stub that fails, so the program may import no other wide function (the rest are bridged).
"""
import re
import subprocess
import sys


def imports(objdump, exe):
    text = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    found, library = set(), None
    for line in text.splitlines():
        name = re.match(r"\s*DLL Name: (\S+)", line)
        if name:
            library = name.group(1).lower().removesuffix(".dll")
            continue
        entry = re.match(r"\t[0-9a-f]+\t +\d+ +(\S+)$", line)
        if entry and library:
            found.add((library, entry.group(1)))
    return found


def exported(path):
    names = set()
    for line in open(path, encoding="utf-8"):
        words = line.split("#", 1)[0].split()
        if len(words) == 2:
            names.add((words[0].lower(), words[1]))
    return names


def main():
    objdump, exe, lists = sys.argv[1], sys.argv[2], sys.argv[3:]
    wide_list = None
    if lists[:1] == ["--wide-95"]:
        wide_list, lists = lists[1], lists[2:]
    needed = imports(objdump, exe)
    if not needed:
        sys.exit(f"check_imports: no imports read from {exe}")
    failed = False
    if wide_list:
        stubs = sorted(i for i in needed - exported(wide_list) if i[1].endswith("W"))
        for library, function in stubs:
            print(f"check_imports: {exe} imports {library}.{function}, a stub on the 95 family "
                  f"(not in {wide_list})", file=sys.stderr)
        failed = bool(stubs)
    for path in lists:
        missing = sorted(needed - exported(path))
        for library, function in missing:
            print(f"check_imports: {exe} imports {library}.{function}, not known in {path}", file=sys.stderr)
        failed = failed or bool(missing)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
