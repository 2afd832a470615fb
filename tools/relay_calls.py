#!/usr/bin/env python3
"""Which wide-character functions an exe reaches, from Wine's relay trace of it.

Usage: relay_calls.py names <objdump> <exe>
           prints the ';'-list for Wine's RelayInclude: the wide functions the exe imports and those whose
           names it holds (it looks functions up by name at run time), and the sentinel.
       relay_calls.py check <trace> <exe>
           reads a trace made with WINEDEBUG=+pid,+loaddll,+relay and fails on a call made from inside the
           exe's loaded image (where loaddll says each process loaded it, SizeOfImage long) to a wide function
           that the 95 family does not implement. Calls from Wine's own code are not the exe's.
The sentinel is a function the program calls on every system: when no call to it from the image is seen,
the trace did not reach the check, and that fails too.
"""
import os
import re
import sys
from collections import Counter

from check_imports import exported, imports

# The wide functions the 95 family implements, as the package check knows them (MultiByteToWideChar and
# WideCharToMultiByte are no W functions).
IMPLEMENTED = {function for _, function in exported(
    os.path.join(os.path.dirname(__file__), "..", "src", "app", "package", "imports", "wide-95.txt"))}
SENTINEL = "SetTimer"
WIDE = re.compile(r"[A-Za-z_][A-Za-z0-9_]*[a-z0-9_][A-Z]*W")
LOADED = re.compile(r'^([0-9a-f]+):[0-9a-f]+:trace:loaddll:\S+ Loaded L"(.*?)" at ([0-9A-Fa-f]+)')
CALL = re.compile(r"^([0-9a-f]+):[0-9a-f]+:Call \w+\.(\w+)\(.*\) ret=([0-9a-f]+)$")


def names(objdump, exe):
    found = {function for _, function in imports(objdump, exe) if WIDE.fullmatch(function)}
    data = open(exe, "rb").read()
    found |= {text.decode() for text in re.findall(rb"(?<=\0)[A-Za-z_][A-Za-z0-9_]+W(?=\0)", data)
              if WIDE.fullmatch(text.decode())}
    return sorted(found - IMPLEMENTED) + [SENTINEL]


def image_size(exe):
    # The PE optional header's SizeOfImage: offset 56 in both the 32- and the 64-bit form.
    data = open(exe, "rb").read(4096)
    header = int.from_bytes(data[0x3C:0x40], "little")
    return int.from_bytes(data[header + 24 + 56:header + 24 + 60], "little")


def check(trace, exe):
    name, size = os.path.basename(exe).lower(), image_size(exe)
    bases, calls = {}, Counter()
    with open(trace, errors="replace") as lines:
        for line in lines:
            loaded = LOADED.match(line)
            if loaded and loaded.group(2).replace("\\\\", "\\").split("\\")[-1].lower() == name:
                bases[loaded.group(1)] = int(loaded.group(3), 16)
                continue
            call = CALL.match(line.rstrip("\n"))
            if call and call.group(1) in bases and 0 <= int(call.group(3), 16) - bases[call.group(1)] < size:
                calls[call.group(2)] += 1
    wrong = {function: count for function, count in calls.items()
             if function != SENTINEL and function not in IMPLEMENTED}
    if not calls[SENTINEL]:
        print(f"relay: no call of {SENTINEL} from {name} in the trace ({len(bases)} images found): nothing was checked")
        return 1
    if wrong:
        print(f"relay: {name} called wide functions the 95 family does not implement:")
        for function, count in sorted(wrong.items(), key=lambda item: (-item[1], item[0])):
            print(f"  {function} {count}")
        return 1
    print(f"relay: {name} called no wide function the 95 family lacks ({len(bases)} starts traced)")
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "names":
        print(";".join(names(sys.argv[2], sys.argv[3])))
    elif len(sys.argv) == 4 and sys.argv[1] == "check":
        sys.exit(check(sys.argv[2], sys.argv[3]))
    else:
        sys.exit(__doc__)
