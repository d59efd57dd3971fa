#!/usr/bin/env python3
"""Builds the Debian package from a build tree that is already built, and checks it as a user's
machine would see it: its dependencies, its files, and the programs run from an unpacked root.

Usage: package_test.py <build dir> <version>
"""

import gzip
import os
import re
import struct
import subprocess
import sys
import tempfile
import time

PROGRAMS = ["banner", "banner_alt", "banner_capture"]
ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(command, **options):
    result = subprocess.run(command, capture_output=True, text=True, **options)
    check(result.returncode == 0,
          "%s failed (%d):\n%s%s" % (" ".join(command), result.returncode, result.stdout,
                                     result.stderr))
    return result


def build_package(build_dir, work, version):
    run(["cpack", "--config", os.path.join(build_dir, "CPackConfig.cmake"), "-B", work])
    deb = os.path.join(work, "banner_%s_amd64.deb" % version)
    check(os.path.isfile(deb), "no %s: %s" % (os.path.basename(deb), os.listdir(work)))
    return deb


def control_fields(deb):
    fields = {}
    for line in run(["dpkg-deb", "-f", deb]).stdout.splitlines():
        if not line.startswith(" ") and ":" in line:
            name, value = line.split(":", 1)
            fields[name] = value.strip()
    return fields


def needed_libraries(binary):
    dynamic = run(["readelf", "-d", binary]).stdout
    return re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", dynamic)


def packages_owning(libraries):
    """The packages that own each library, by file name, in one dpkg-query."""
    result = subprocess.run(["dpkg-query", "-S"] + ["*/" + name for name in libraries],
                            capture_output=True, text=True)
    owners = {name: set() for name in libraries}
    for line in result.stdout.splitlines():
        packages, path = line.split(": ", 1)
        if os.path.basename(path) in owners:
            owners[os.path.basename(path)] |= {p.split(":")[0] for p in packages.split(", ")}
    return owners


def check_control(deb, root, version):
    fields = control_fields(deb)
    print("Depends:", fields.get("Depends"))
    check(fields.get("Version") == version, "version %s" % fields.get("Version"))
    check(fields.get("Recommends") == "ffmpeg", "recommends %s" % fields.get("Recommends"))
    depends = {item.split()[0]: item for item in fields.get("Depends", "").split(", ")}
    # Computed, not typed: every library a binary loads is owned by a package it depends on,
    # and the C library comes with the lowest version the binaries need.
    needed = {program: needed_libraries(os.path.join(root, "usr/bin", program))
              for program in PROGRAMS}
    owners = packages_owning(sorted(set(sum(needed.values(), []))))
    for program, libraries in needed.items():
        for library in libraries:
            check(owners[library] & depends.keys(),
                  "%s needs %s (from %s), which Depends does not name" %
                  (program, library, ", ".join(sorted(owners[library])) or "no package"))
    check(re.fullmatch(r"libc6 \(>= [0-9.]+\)", depends.get("libc6", "")),
          "libc6 without the version the binaries need: %s" % depends.get("libc6"))


def png_size(path):
    with open(path, "rb") as file:
        header = file.read(24)
    check(header[:8] == b"\x89PNG\r\n\x1a\n", "%s is not a PNG" % path)
    return struct.unpack(">II", header[16:24])


def check_files(root):
    share = os.path.join(root, "usr/share")
    expected = ["applications/banner.desktop", "applications/banner_alt.desktop",
                "man/man6/banner.6.gz", "man/man6/banner_alt.6.gz",
                "man/man1/banner_capture.1.gz", "doc/banner/copyright", "doc/banner/changelog.gz"]
    for name in expected:
        check(os.path.isfile(os.path.join(share, name)), "the package has no usr/share/" + name)
    metainfo = os.listdir(os.path.join(share, "metainfo"))
    check(len(metainfo) == 1 and metainfo[0].endswith(".metainfo.xml"),
          "metainfo: %s" % metainfo)
    for size in ICON_SIZES:
        icon = os.path.join(share, "icons/hicolor/%dx%d/apps/banner.png" % (size, size))
        check(os.path.isfile(icon), "no %d-pixel icon" % size)
        check(png_size(icon) == (size, size), "the %d-pixel icon is %s" % (size, png_size(icon)))


def check_capture(root, work, version):
    capture = os.path.join(root, "usr/bin/banner_capture")
    check(run([capture, "--version"]).stdout == "banner_capture %s\n" % version,
          "--version does not say %s" % version)
    frames = os.path.join(work, "frames")
    run([capture, "--frame", "0", "--until", "0", "--out", frames])
    written = os.listdir(frames)
    check(written == ["banner_00000_0000.00s.png"], "the capture wrote %s" % written)
    check(png_size(os.path.join(frames, written[0])) == (960, 92), "the frame is not 960 x 92")


def check_pages(root, version):
    pages = {"banner": "man6/banner.6.gz", "banner_alt": "man6/banner_alt.6.gz",
             "banner_capture": "man1/banner_capture.1.gz"}
    texts = {}
    for program, page in pages.items():
        path = os.path.join(root, "usr/share/man", page)
        environment = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
        result = run(["man", "--warnings", "-l", path], env=environment)
        check(result.stderr == "", "%s has warnings:\n%s" % (page, result.stderr))
        texts[program] = result.stdout
        with gzip.open(path, "rt") as file:
            check(version in file.readline() + file.readline(), "%s does not show %s" %
                  (page, version))
    # The tool's page says everything its --help says, option by option.
    capture = os.path.join(root, "usr/bin/banner_capture")
    options = set(re.findall(r"^  (--[a-z-]+)", run([capture, "--help"]).stdout, re.M))
    check(len(options) > 10, "--help lists only %s" % options)
    text = texts["banner_capture"].replace("\u2010", "-")
    for option in sorted(options):
        check(option in text, "banner_capture(1) does not describe " + option)
    check("EXIT STATUS" in text and "EXAMPLES" in text, "banner_capture(1) lacks a section")


def check_metadata(root):
    share = os.path.join(root, "usr/share")
    applications = os.path.join(share, "applications")
    run(["desktop-file-validate"] +
        [os.path.join(applications, name) for name in sorted(os.listdir(applications))])
    metainfo = os.path.join(share, "metainfo")
    for name in os.listdir(metainfo):
        run(["appstreamcli", "validate", "--no-net", os.path.join(metainfo, name)])


def main():
    build_dir, version = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="banner_package_") as work:
        start = time.monotonic()
        deb = build_package(build_dir, work, version)
        print("cpack: %.1f s" % (time.monotonic() - start))
        print(run(["dpkg-deb", "-I", deb]).stdout)
        root = os.path.join(work, "root")
        run(["dpkg-deb", "-x", deb, root])
        checks = [lambda: check_control(deb, root, version), lambda: check_files(root),
                  lambda: check_capture(root, work, version), lambda: check_pages(root, version),
                  lambda: check_metadata(root)]
        failed = 0
        for step in checks:
            start = time.monotonic()
            try:
                step()
            except Failure as failure:
                print("FAILED:", failure)
                failed += 1
            print("check %d: %.1f s" % (checks.index(step) + 1, time.monotonic() - start))
    print("%d passed, %d failed" % (len(checks) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Failure as failure:
        print("FAILED:", failure)
        sys.exit(1)
