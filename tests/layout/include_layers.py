#!/usr/bin/env python3
"""Every #include of the project's own code points down its layers: the programs, the tools and
the benchmark stand on the headless runs and the shell, the shell on the scene, and so on; nothing
includes what stands above it, and areas on one level keep to themselves unless listed. Prints
each include that points elsewhere and exits 1."""
import pathlib
import re
import sys

# Top first: the programs, the tools and the benchmark; then what they stand on.
LAYERS = [
    ["app", "tools", "bench"],
    ["headless"],
    ["shell"],
    ["scene"],
    ["objects"],
    ["assets"],
    ["geometry", "platform"],
]
# Areas on one level include each other only where they are listed here.
SIDEWAYS = {
    ("app", "bench"),  # the page's benchmark prints the desktop benchmark's table
    ("geometry", "platform"),  # the object base returns the platform's result codes
    ("platform", "geometry"),  # the device takes matrices and vertices
}
LEVEL = {area: level for level, areas in enumerate(LAYERS) for area in areas}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/')


def wrong_includes(root):
    for area, level in LEVEL.items():
        for path in sorted((root / area).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text().splitlines(), 1):
                match = INCLUDE.match(line)
                if match is None:
                    continue
                target = match.group(1)
                if target == area or target not in LEVEL or LEVEL[target] > level:
                    continue
                if LEVEL[target] == level and (area, target) in SIDEWAYS:
                    continue
                yield f"{path.relative_to(root)}:{number}: {area}/ includes {target}/"


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2]
    wrong = list(wrong_includes(root))
    for line in wrong:
        print(line)
    if wrong:
        print(f"include_layers: {len(wrong)} include(s) against the layers")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
