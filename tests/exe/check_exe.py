#!/usr/bin/env python3
"""Checks the shipped varn.exe: a 32-bit GUI executable that imports only Windows' own DLLs
and carries its version strings.

usage: check_exe.py varn.exe i686-w64-mingw32-objdump
"""
import re
import subprocess
import sys

# DLLs every Windows has; a runtime DLL of the compiler would have to be shipped.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "winmm.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "comctl32.dll", "comdlg32.dll"}

VERSION_STRINGS = {
    "FileDescription": "varn Microsoft 基础类应用程序",
    "FileVersion": "1, 0, 0, 1",
    "InternalName": "varn",
    "OriginalFilename": "varn.EXE",
    "ProductName": "varn 应用程序",
    "ProductVersion": "1, 0, 0, 1",
}


def main(exe, objdump):
    failures = []

    kind = subprocess.run(["file", "-b", exe], capture_output=True, text=True, check=True).stdout
    if not kind.startswith("PE32 executable (GUI) Intel 80386"):
        failures.append(f"file says: {kind.strip()}")

    dump = subprocess.run([objdump, "-p", exe], capture_output=True, text=True).stdout
    dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
    if not dlls:
        failures.append("objdump lists no imported DLL")
    if dlls - SYSTEM_DLLS:
        failures.append(f"imports DLLs that are not Windows' own: {sorted(dlls - SYSTEM_DLLS)}")

    data = open(exe, "rb").read()
    for key, value in VERSION_STRINGS.items():
        # A String entry: its key, NUL-terminated and padded to 32 bits, then its value.
        entry = re.compile(re.escape(key.encode("utf-16-le")) + b"(?:\0\0)+" +
                           re.escape(value.encode("utf-16-le")) + b"\0\0")
        if not entry.search(data):
            failures.append(f"version string {key} = {value!r} missing")
    if not re.search(re.escape("080404b0".encode("utf-16-le")), data, re.IGNORECASE):
        failures.append("no string table for language 0x0804, code page 1200")
    translation = "Translation".encode("utf-16-le") + b"(?:\0\0)+" + b"\x04\x08\xb0\x04"
    if not re.search(translation, data):
        failures.append("Translation is not 0x0804/1200")

    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{exe}: {'ok' if not failures else f'{len(failures)} failures'} "
          f"(imports {', '.join(sorted(dlls))})")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
