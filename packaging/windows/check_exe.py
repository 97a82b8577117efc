#!/usr/bin/env python3
"""Checks the Windows program as a learner's system meets it: a windowed
program (no console), its version record and icon, and every library that
it or the DLLs and plugins beside it import either beside it or part of
Windows (as the Wine prefix in $WINEPREFIX has it); and, given a Qt version
such as 6.8, that the Qt6Core.dll beside it reports that version.

Usage: check_exe.py FOLDER/Quelvane.exe [QT_VERSION]"""

import os
import pathlib
import sys

import pefile

EXPECTED = {
    "FileVersion": "1.00",
    "ProductVersion": "1.00",
    "FileDescription": "Teaches Hiragana and Katakana and tallys your score.",
    "Comments": "You learn Japanese NOW!",
    "ProductName": "Quelvane",
    "InternalName": "Quelvane",
    "OriginalFilename": "Quelvane.exe",
}
CHOSEN = ("CompanyName", "LegalCopyright")
ICON_SIZES = {16, 32}
GUI_SUBSYSTEM = 2


def version_strings(pe):
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return strings


def icon_sizes(pe):
    """Sizes in the program's icon group (0 in the directory means 256)."""
    sizes = set()
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != pefile.RESOURCE_TYPE["RT_GROUP_ICON"]:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                count = int.from_bytes(data[4:6], "little")
                for i in range(count):
                    width = data[6 + 14 * i] or 256
                    sizes.add(width)
    return sizes


def missing_imports(folder, system):
    """Libraries imported by anything in the folder and found nowhere."""
    present = {p.name.lower() for p in folder.iterdir()}
    missing = []
    for binary in sorted(folder.rglob("*")):
        if binary.suffix.lower() not in (".exe", ".dll"):
            continue
        pe = pefile.PE(str(binary), fast_load=True)
        pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
        for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
            dll = entry.dll.decode().lower()
            # API sets are names the Windows loader resolves, not files.
            api_set = dll.startswith(("api-ms-win-", "ext-ms-win-"))
            if dll not in present and not api_set and not (system / dll).exists():
                missing.append(f"{binary.relative_to(folder)} needs {dll}")
    return missing


def main():
    exe = pathlib.Path(sys.argv[1])
    pe = pefile.PE(str(exe))
    problems = []
    if pe.OPTIONAL_HEADER.Subsystem != GUI_SUBSYSTEM:
        problems.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not a windowed program")
    strings = version_strings(pe)
    for key, value in EXPECTED.items():
        if strings.get(key) != value:
            problems.append(f"{key} is {strings.get(key)!r}, not {value!r}")
    for key in CHOSEN:
        if not strings.get(key):
            problems.append(f"{key} is empty")
    sizes = icon_sizes(pe)
    if not ICON_SIZES <= sizes:
        problems.append(f"icon sizes {sorted(sizes)} lack {sorted(ICON_SIZES - sizes)}")
    system = pathlib.Path(os.environ["WINEPREFIX"]) / "drive_c" / "windows" / "system32"
    problems += missing_imports(exe.parent, system)
    qt = ""
    if len(sys.argv) > 2:
        core = exe.parent / "Qt6Core.dll"
        qt = version_strings(pefile.PE(str(core))).get("FileVersion", "") if core.exists() else ""
        if not qt.startswith(sys.argv[2] + "."):
            problems.append(f"Qt6Core.dll reports version {qt!r}, not {sys.argv[2]}")
        qt = f", Qt6Core.dll {qt}"
    for problem in problems:
        print(f"{exe.name}: {problem}", file=sys.stderr)
    if not problems:
        print(f"    {strings['ProductName']} {strings['FileVersion']}, icon {sorted(sizes)}, "
              f"{strings['CompanyName']}{qt}; every import found")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
