#!/usr/bin/env python3
"""Checks the program's layers against their table (cmake/layers.txt):
- the table itself: every folder links only folders on earlier lines, so it has no cycle;
- every program source includes only its own folder and the layers below it;
- no program file is over 600 lines (the pictures' pixel data excepted);
- only the program's entry (app/) makes the Win32 ports; every layer below takes them from it;
- with --links, the libraries CMake made (layer_links.txt in the build folder): each links
  only the layers below it, and no chain of links comes back to where it started.

Usage: check_layers.py <source root> [--table FILE] [--links FILE]
       exits 1 and names each offence
"""
import argparse
import pathlib
import re
import sys

# The fakes simulate the ports and stand where the ports do.
FAKES = "platform/fakes"
MAX_LINES = 600
EXEMPT = {"wingui/ImageMaps.h"}
# The one composition root, and where the ports' factories are defined.
MAKES_PORTS = {"app", "platform"}
MAKE_PORT = re.compile(r"\bMakeWin32\w*\s*\(")
# Libraries that belong to a layer without being its own library.
SUB_LIBRARIES = {"cv2fakes": "platform"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def read_table(text):
    """The table as {folder: set of folders below it}, in its order, and its offences."""
    below = {}
    offences = []
    for number, line in enumerate(text.splitlines(), 1):
        words = line.split("#", 1)[0].split()
        if not words:
            continue
        folder, links = words[0], words[1:]
        if folder in below:
            offences.append(f"layers table line {number}: {folder} is listed twice")
            continue
        for link in links:
            if link not in below:
                where = "itself" if link == folder else "a layer not below it"
                offences.append(f"layers table line {number}: {folder} links {link}, {where}")
        below[folder] = {link for link in links if link in below}
    return below, offences


def check_sources(root, below):
    offences = []
    for folder, allowed in below.items():
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
            if folder not in MAKES_PORTS and MAKE_PORT.search(text):
                offences.append(f"{name}: makes a Win32 port; only app/ does, and hands it down")
            lines = text.count("\n")
            if lines > MAX_LINES and name not in EXEMPT:
                offences.append(f"{name}: {lines} lines (at most {MAX_LINES})")
    return offences


def read_links(text):
    """`library: linked libraries` lines as {library: [linked, ...]}."""
    links = {}
    for line in text.splitlines():
        if ":" not in line:
            continue
        name, linked = line.split(":", 1)
        links[name.strip()] = linked.split()
    return links


def layer_of(library, below):
    if library in SUB_LIBRARIES:
        return SUB_LIBRARIES[library]
    if library.startswith("cv2_") and library[4:] in below:
        return library[4:]
    return None


def find_cycle(links):
    """One chain of links that comes back to its start, as a list of libraries, or None."""
    state = {}  # absent: not seen; 1: on the current path; 2: done
    path = []

    def visit(library):
        state[library] = 1
        path.append(library)
        for linked in links.get(library, []):
            if state.get(linked) == 1:
                return path[path.index(linked):] + [linked]
            if linked not in state:
                found = visit(linked)
                if found:
                    return found
        path.pop()
        state[library] = 2
        return None

    for library in links:
        if library not in state:
            found = visit(library)
            if found:
                return found
    return None


def check_links(links, below):
    offences = []
    for folder in below:
        if f"cv2_{folder}" not in links:
            offences.append(f"no library cv2_{folder} for the layer {folder}/")
    for library, linked in links.items():
        layer = layer_of(library, below)
        # A layer's own library links the layers below it; a library beside it (the fakes)
        # may link the layer's own as well; any other library of ours is below every layer.
        allowed = set()
        if layer is not None:
            allowed = below[layer] | ({layer} if library in SUB_LIBRARIES else set())
        for other in linked:
            target = layer_of(other, below)
            if target is not None and target not in allowed:
                offences.append(f"library {library} links {other}, which is not below it")
    cycle = find_cycle(links)
    if cycle:
        offences.append("library cycle: " + " -> ".join(cycle))
    return offences


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root", nargs="?", default=".")
    parser.add_argument("--table", help="the layers table (default: <root>/cmake/layers.txt)")
    parser.add_argument("--links", help="the libraries CMake made, as layer_links.txt in a build folder")
    args = parser.parse_args(argv)
    root = pathlib.Path(args.root)
    table = pathlib.Path(args.table) if args.table else root / "cmake" / "layers.txt"
    below, offences = read_table(table.read_text(encoding="utf-8"))
    offences += check_sources(root, below)
    if args.links:
        offences += check_links(read_links(pathlib.Path(args.links).read_text(encoding="utf-8")), below)
    for offence in offences:
        print(offence)
    return 1 if offences else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
