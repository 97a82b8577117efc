#!/usr/bin/env python3
"""The third-party code compiled into the Windows Qt DLLs a folder ships, and
its licences.

What went into each DLL comes from the Qt build itself, as
scripts/build-windows.sh recorded it beside the built Qt (NOTES, the
"quelvane" folder of the Windows Qt): ninja's inputs of every DLL, the
headers the compiler reported for every object, and the source tree's
third-party records (qt_attribution.json) with their licence texts. A record
counts when a file it names (its "Files"), or any file below its folder when
it names none, went into one of the DLLs.

Usage:
  qt_third_party.py licences NOTES FOLDER
      writes FOLDER/licences/Qt/third-party/: one folder per component
      compiled into the Qt DLLs of FOLDER (Qt6*.dll and the plugins below
      it), holding its licence texts, and a README.txt listing them all
  qt_third_party.py check NOTES FOLDER
      fails unless FOLDER/licences/Qt/third-party/ holds exactly those
      folders, none of them empty
  qt_third_party.py list NOTES FOLDER
      prints the components, their versions and licences"""

import gzip
import json
import os
import pathlib
import posixpath
import sys
import tarfile

THIRD_PARTY = pathlib.Path("licences", "Qt", "third-party")


def read_paths(notes):
    paths = {}
    for line in (notes / "paths.txt").read_text().splitlines():
        key, _, value = line.partition("=")
        paths[key] = value
    return paths["source"], paths["build"]


def source_relative(path, source, build):
    """The path relative to the source tree, or None when outside it."""
    if not path.startswith("/"):
        path = posixpath.join(build, path)
    path = posixpath.normpath(path)
    if path.startswith(source + "/"):
        return path[len(source) + 1:]
    return None


def object_deps(notes):
    deps, current = {}, None
    with gzip.open(notes / "deps.txt.gz", "rt") as lines:
        for line in lines:
            if not line.strip():
                continue
            if line[0] not in " \t":
                current = deps.setdefault(line.split(":", 1)[0], [])
            elif current is not None:
                current.append(line.strip())
    return deps


def shipped_dlls(folder):
    """The Qt DLLs of the folder, named as in the Qt build tree."""
    names = []
    for dll in sorted(folder.rglob("*.dll")):
        relative = dll.relative_to(folder)
        if len(relative.parts) == 1 and relative.name.startswith("Qt6"):
            names.append(f"bin/{relative.name}")
        elif len(relative.parts) == 2:
            names.append(f"plugins/{relative.parts[0]}/{relative.name}")
    return names


def compiled_files(notes, dlls):
    source, build = read_paths(notes)
    deps = object_deps(notes)
    used = set()
    for dll in dlls:
        inputs = notes / "inputs" / (dll.replace("/", "_") + ".txt")
        if not inputs.exists():
            sys.exit(f"qt_third_party.py: the Qt build made no {dll}")
        for path in inputs.read_text().splitlines():
            files = [path]
            if path.endswith(".obj"):
                obj = path[len(build) + 1:] if path.startswith(build + "/") else path
                files += deps.get(obj, [])
            for f in files:
                relative = source_relative(f, source, build)
                if relative:
                    used.add(relative)
    return used


def records(archive):
    """(folder, record) for every third-party record of the source tree."""
    found = []
    for member in archive.getmembers():
        if posixpath.basename(member.name) != "qt_attribution.json":
            continue
        text = archive.extractfile(member).read().decode("utf-8")
        data = json.loads(text, strict=False)
        folder = posixpath.normpath(posixpath.dirname(member.name))
        for record in data if isinstance(data, list) else [data]:
            found.append((folder, record))
    return found


def names_of(value):
    if not value:
        return []
    return value.split() if isinstance(value, str) else list(value)


def compiled_records(notes, folder):
    used = compiled_files(notes, shipped_dlls(folder))
    archive = tarfile.open(notes / "third-party.tar.gz")
    chosen = []
    for where, record in records(archive):
        files = [posixpath.normpath(posixpath.join(where, f)) for f in names_of(record.get("Files"))]
        if files:
            hit = any(f in used for f in files)
        else:
            hit = any(u.startswith(where + "/") for u in used)
        if hit:
            chosen.append((where, record))
    return archive, sorted(chosen, key=lambda c: c[1]["Id"])


def licence_files(archive, where, record):
    """The record's own licence files; failing those, Qt's texts of the
    licences it names by SPDX identifier."""
    names = {posixpath.normpath(m.name): m for m in archive.getmembers()}
    files = names_of(record.get("LicenseFile")) + names_of(record.get("LicenseFiles"))
    paths = [posixpath.normpath(posixpath.join(where, f)) for f in files]
    if not paths:
        for word in record.get("LicenseId", "").replace("(", " ").replace(")", " ").split():
            if f"LICENSES/{word}.txt" in names:
                paths.append(f"LICENSES/{word}.txt")
    return [(p, names[p]) for p in paths]


def write_licences(notes, folder):
    archive, chosen = compiled_records(notes, folder)
    out = folder / THIRD_PARTY
    out.mkdir(parents=True, exist_ok=True)
    listing = ["Third-party code compiled into the Qt libraries of this folder,",
               "as Qt's own records (qt_attribution.json) in its source describe it.", ""]
    for where, record in chosen:
        target = out / record["Id"]
        target.mkdir(exist_ok=True)
        copied = []
        for name, member in licence_files(archive, where, record):
            (target / posixpath.basename(name)).write_bytes(archive.extractfile(member).read())
            copied.append(posixpath.basename(name))
        notice = [f"{record.get('Name', record['Id'])} {record.get('Version', '')}".rstrip(),
                  f"Licence: {record.get('License', 'see the files beside this one')}",
                  f"In Qt's source: {where}", ""]
        notice += names_of(record.get("Copyright")) if isinstance(record.get("Copyright"), list) \
            else [record.get("Copyright", "")]
        (target / "ABOUT.txt").write_text("\n".join(notice).rstrip() + "\n", encoding="utf-8")
        title = f"{record.get('Name', record['Id'])} {record.get('Version', '')}".rstrip()
        listing.append(f"{record['Id']}/: {title}, {record.get('License', '?')}"
                       + (f" ({', '.join(copied)})" if copied else ""))
    (out / "README.txt").write_text("\n".join(listing) + "\n", encoding="utf-8")
    return chosen


def check(notes, folder):
    archive, chosen = compiled_records(notes, folder)
    expected = {record["Id"] for _, record in chosen}
    out = folder / THIRD_PARTY
    present = {p.name for p in out.iterdir() if p.is_dir()} if out.is_dir() else set()
    problems = [f"no licence of {i}, compiled in" for i in sorted(expected - present)]
    problems += [f"a licence of {i}, not compiled in" for i in sorted(present - expected)]
    for where, record in chosen:
        if not (out / record["Id"] / "ABOUT.txt").is_file():
            problems.append(f"{record['Id']}: ABOUT.txt missing")
        for name, _ in licence_files(archive, where, record):
            if not (out / record["Id"] / posixpath.basename(name)).is_file():
                problems.append(f"{record['Id']}: {posixpath.basename(name)} missing")
    for problem in problems:
        print(f"licences: {problem}", file=sys.stderr)
    if not problems:
        print(f"    {len(expected)} third-party components compiled into Qt, each with its licence: "
              + ", ".join(sorted(expected)))
    return 1 if problems else 0


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("licences", "check", "list"):
        sys.exit(__doc__)
    mode, notes, folder = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    if mode == "licences":
        write_licences(notes, folder)
        return 0
    if mode == "check":
        return check(notes, folder)
    for where, record in compiled_records(notes, folder)[1]:
        print(f"{record['Id']}\t{record.get('Version', '')}\t{record.get('License', '')}\t{where}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
