#!/usr/bin/env python3
"""Checks that every program source includes only its own folder and the layers below it,
and that no program file is over 600 lines (the pictures' pixel data excepted).

Usage: check_layers.py <source root>    exits 1 and names each offence
"""
import pathlib
import re
import sys

# Each folder with the folders its files may include besides their own.
BELOW = {
    "base": set(),
    "tree": {"base"},
    "settings": {"base"},
    "platform": {"base"},
    "wingui": {"base", "platform"},
    "NumEdit": {"base", "platform", "wingui"},
}
BELOW["Option"] = BELOW["NumEdit"] | {"NumEdit"}
BELOW["NewFrm"] = BELOW["NumEdit"] | {"tree", "settings"}
BELOW["About"] = BELOW["NumEdit"]
BELOW["CV2MainFrm"] = {"base", "tree", "settings", "platform", "wingui", "NumEdit", "Option", "NewFrm", "About"}
BELOW["app"] = BELOW["CV2MainFrm"] | {"CV2MainFrm"}
# The fakes simulate the ports and stand where the ports do.
FAKES = "platform/fakes"
MAX_LINES = 600
EXEMPT = {"wingui/ImageMaps.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def main(root):
    root = pathlib.Path(root)
    offences = []
    for folder, allowed in BELOW.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            name = path.relative_to(root).as_posix()
            text = path.read_text(encoding="utf-8")
            for target in INCLUDE.findall(text):
                top = target.split("/")[0]
                if "/" not in target or top == folder:
                    continue
                if top not in allowed:
                    offences.append(f"{name}: includes {target}, which is not below {folder}/")
            if name.startswith(FAKES + "/") and "CV2MainFrm/" in text:
                offences.append(f"{name}: a port's fake includes the main window")
            lines = text.count("\n")
            if lines > MAX_LINES and name not in EXEMPT:
                offences.append(f"{name}: {lines} lines (at most {MAX_LINES})")
    for offence in offences:
        print(offence)
    return 1 if offences else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
