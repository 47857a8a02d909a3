#!/usr/bin/python3
"""check_resources.py EXE: the Windows program's resources read back from the
file: icon group 128 with its 32x32 and 16x16 16-colour images and its 48 and
256 pixel ones in full colour, string 101, the version block's fixed part and
nine keys in order (korvel-cli.exe and korvel-shock.exe with their own names
and descriptions), and the manifest for the file's architecture."""
import os
import sys

import pefile

RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 14, 16, 24
# Each program's InternalName, OriginalFilename and FileDescription.
NAMES = {"korvel": (("korvel", "korvel.EXE"), "korvel MFC Application"),
         "korvel-cli": (("korvel-cli", "korvel-cli.exe"), "korvel command-line twin"),
         "korvel-shock": (("korvel-shock", "korvel-shock.exe"), "korvel shock response spectrum")}
KEYS = ["CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
        "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion"]


def main(path):
    pe = pefile.PE(path)
    failures = []

    def expect(ok, what):
        if not ok:
            failures.append(what)

    def data_of(entry):
        language = entry.directory.entries[0]
        return pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)

    types = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}
    groups = {entry.id: entry for entry in types[RT_GROUP_ICON].directory.entries}
    expect(list(groups) == [128], f"icon groups {list(groups)}")
    group = data_of(groups[128])
    count = int.from_bytes(group[4:6], "little")
    images = [group[6 + 14 * k:20 + 14 * k] for k in range(count)]
    sizes = sorted((image[0], image[1], image[2], int.from_bytes(image[6:8], "little")) for image in images)
    # 256 pixels is written as 0.
    expect(sizes == [(0, 0, 0, 32), (16, 16, 16, 4), (32, 32, 16, 4), (48, 48, 0, 32)], f"icon images {sizes}")
    expect(len(types[RT_ICON].directory.entries) == 4, "four icon images")

    # String 101 is the sixth of block 7 (ids 96..111), as counted UTF-16.
    block = data_of(next(e for e in types[RT_STRING].directory.entries if e.id == 7))
    offset = 0
    for _ in range(101 - 96):
        offset += 2 + 2 * int.from_bytes(block[offset:offset + 2], "little")
    length = int.from_bytes(block[offset:offset + 2], "little")
    about = block[offset + 2:offset + 2 + 2 * length].decode("utf-16-le")
    expect(about == "&About korvel...", f"string 101 {about!r}")

    fixed = pe.VS_FIXEDFILEINFO[0]
    expect((fixed.FileVersionMS, fixed.FileVersionLS) == (0x10000, 0x1), "file version 1.0.0.1")
    expect((fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x10000, 0x1), "product version 1.0.0.1")
    expect(fixed.FileType == 1, f"file type {fixed.FileType}")
    expect(fixed.FileOS == 0x40004, f"file OS {fixed.FileOS:#x}")
    tables = [table for info in pe.FileInfo[0] if info.Key == b"StringFileInfo" for table in info.StringTable]
    expect([t.LangID for t in tables] == [b"040904B0"], "one block 040904B0")
    strings = {k.decode(): v.decode() for k, v in tables[0].entries.items()}
    expect(list(strings) == KEYS, f"version keys {list(strings)}")
    program = os.path.basename(path).lower().removesuffix(".exe")
    names, description = NAMES.get(program, NAMES["korvel"])
    expect(strings.get("FileDescription") == description, f"description {description!r}")
    expect((strings.get("InternalName"), strings.get("OriginalFilename")) == names, f"names {names}")
    expect(strings.get("FileVersion") == "1, 0, 0, 1", "FileVersion text")

    manifest = data_of(types[RT_MANIFEST].directory.entries[0]).decode()
    architecture = {0x14C: "x86", 0x8664: "amd64"}[pe.FILE_HEADER.Machine]
    for needed in ("<activeCodePage", ">UTF-8<", "<longPathAware", ">true</longPathAware>",
                   f'name="korvel.{names[0]}" version="1.0.0.1" processorArchitecture="{architecture}"',
                   "Microsoft.Windows.Common-Controls", "6.0.0.0", ">PerMonitorV2<",
                   "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"):
        expect(needed in manifest, f"manifest has {needed}")

    for failure in failures:
        print(f"{path}: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
