#!/usr/bin/env python3
"""What Windows reads off the shipped programs and the installer without running them: the icon
(every size from 16 to 256 pixels, the largest the Debian package's own picture), the version
and publisher, and the programs' manifest. The shows also import no function that reads the
environment: they take no switches.

Usage: resources_test.py <version> <256-pixel icon PNG> <objdump> <installer> <program.exe>...
"""

import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]
PUBLISHER = "banner developers"
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
ENVIRONMENT_READERS = {"getenv", "_wgetenv", "getenv_s", "_wgetenv_s", "_dupenv_s", "_wdupenv_s",
                       "GetEnvironmentVariableA", "GetEnvironmentVariableW",
                       "GetEnvironmentStrings", "GetEnvironmentStringsW"}


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def resource(path, kind, raw=True):
    command = ["wrestool", "-x", "--type=%d" % kind, path]
    if raw:
        command.insert(2, "--raw")
    return subprocess.run(command, capture_output=True, check=True).stdout


def version_blocks(data, offset=0, end=None):
    """The blocks of a VS_VERSIONINFO resource as (key, value bytes, children)."""
    end = len(data) if end is None else end
    blocks = []
    while offset + 6 <= end:
        length, value_length, kind = struct.unpack_from("<HHH", data, offset)
        if length == 0:
            break
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value_start = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if kind == 1 else value_length
        value = data[value_start:value_start + value_size]
        children_start = (value_start + value_size + 3) & ~3
        blocks.append((key, value, version_blocks(data, children_start, offset + length)))
        offset = (offset + length + 3) & ~3
    return blocks


def read_version(path):
    """The fixed file version as four numbers, and the strings of the first string table."""
    ((key, fixed, children),) = version_blocks(resource(path, 16))
    check(key == "VS_VERSION_INFO", "%s: no version resource" % path)
    signature, _, ms, ls = struct.unpack_from("<IIII", fixed)
    check(signature == 0xFEEF04BD, "%s: no fixed file information" % path)
    numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    tables = [child for name, _, child in children if name == "StringFileInfo"]
    check(tables and tables[0], "%s: no version strings" % path)
    strings = {name: value.decode("utf-16-le").rstrip("\0") for name, value, _ in tables[0][0][2]}
    return numbers, strings


def check_icon(path, largest_png, folder):
    icon = os.path.join(folder, os.path.basename(path) + ".ico")
    with open(icon, "wb") as out:
        out.write(resource(path, 14, raw=False))
    listing = subprocess.run(["icotool", "-l", icon], capture_output=True, text=True,
                             check=True).stdout
    sizes = sorted(int(line.split("--width=")[1].split()[0]) for line in listing.splitlines())
    check(sizes == ICON_SIZES, "%s: icon sizes %s" % (path, sizes))
    extracted = os.path.join(folder, "largest.png")
    subprocess.run(["icotool", "-x", "--width=256", "-o", extracted, icon], check=True)
    with open(extracted, "rb") as mine, open(largest_png, "rb") as theirs:
        check(mine.read() == theirs.read(), "%s: the 256-pixel icon is not the package's" % path)


def check_version(path, version, description):
    numbers, strings = read_version(path)
    wanted = tuple(int(part) for part in (version.split(".") + ["0"] * 4)[:4])
    check(numbers == wanted, "%s: file version %s, not %s" % (path, numbers, wanted))
    for name, value in (("ProductName", "banner"), ("ProductVersion", version),
                        ("FileVersion", version), ("CompanyName", PUBLISHER)):
        check(strings.get(name) == value, "%s: %s is %r" % (path, name, strings.get(name)))
    check("2026 the banner developers" in strings.get("LegalCopyright", ""),
          "%s: copyright %r" % (path, strings.get("LegalCopyright")))
    check(description(strings), "%s: strings %s" % (path, strings))


def check_manifest(path):
    manifest = ElementTree.fromstring(resource(path, 24))
    texts = {element.tag.split("}")[1]: (element.text or "", element.attrib)
             for element in manifest.iter()}
    level = texts.get("requestedExecutionLevel", ("", {}))[1].get("level")
    check(level == "asInvoker", "%s: asks for the rights %s" % (path, level))
    awareness = texts.get("dpiAwareness", ("", {}))[0]
    check(awareness.startswith("PerMonitorV2"),
          "%s: not aware of each display's scale: %r" % (path, awareness))
    oses = [element.attrib["Id"] for element in manifest.iter()
            if element.tag.endswith("supportedOS")]
    check(WINDOWS_10 in oses, "%s: Windows 10 not among %s" % (path, oses))


def check_imports(path, objdump):
    table = subprocess.run([objdump, "-p", path], capture_output=True, text=True,
                           check=True).stdout
    names = {line.split()[-1] for line in table.splitlines() if line.startswith("\t")}
    found = names & ENVIRONMENT_READERS
    check(not found, "%s reads the environment: %s" % (path, ", ".join(sorted(found))))


def main():
    if len(sys.argv) < 6:
        print(__doc__, file=sys.stderr)
        return 2
    version, largest_png, objdump, installer = sys.argv[1:5]
    programs = sys.argv[5:]
    try:
        with tempfile.TemporaryDirectory() as folder:
            for path in programs + [installer]:
                check_icon(path, largest_png, folder)
            for path in programs:
                name = os.path.basename(path)
                check_version(path, version, lambda strings: strings.get("OriginalFilename") ==
                              name and strings.get("FileDescription", "").startswith("Banner"))
                check_manifest(path)
                if name != "banner_capture.exe":
                    check_imports(path, objdump)
            check_version(installer, version,
                          lambda strings: "setup" in strings.get("FileDescription", ""))
    except Failure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    print("icons, versions and manifests of %d programs and the installer read back" %
          len(programs))
    return 0


if __name__ == "__main__":
    sys.exit(main())
