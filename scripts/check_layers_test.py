#!/usr/bin/env python3
"""The layers check against small source trees and library lists, right and wrong."""
import contextlib
import io
import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import check_layers  # noqa: E402

TABLE = """# bottom up
base
platform  base
wingui    base platform
app       base platform wingui
"""

LINKS = """cv2_win32:
cv2fakes: cv2_platform
cv2_base: cv2_win32
cv2_platform: cv2_base
cv2_wingui: cv2_base cv2_platform
cv2_app: cv2_base cv2_platform cv2_wingui
"""


class Tree:
    """A source root in a temporary folder with the table above and the given files."""

    def __init__(self, files, table=TABLE):
        self.dir = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.dir.name)
        (self.root / "cmake").mkdir()
        (self.root / "cmake" / "layers.txt").write_text(table)
        for name, text in files.items():
            path = self.root / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)

    def check(self, links=None):
        """The checker's exit code and its offences."""
        argv = [str(self.root)]
        if links is not None:
            (self.root / "links.txt").write_text(links)
            argv += ["--links", str(self.root / "links.txt")]
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            code = check_layers.main(argv)
        self.dir.cleanup()
        return code, out.getvalue().splitlines()


SOUND = {
    "base/Text.h": "#pragma once\n#include <string>\n",
    "platform/Clipboard.h": '#include "base/Text.h"\n',
    "platform/fakes/FakeClipboard.h": '#include "platform/Clipboard.h"\n',
    "wingui/Dpi_win.cpp": '#include <windows.h>\n#include "platform/Clipboard.h"\n#include "Local.h"\n',
    "app/main_win.cpp": '#include "wingui/Dpi.h"\n#include "base/Text.h"\n',
}


def check_sound_tree_with(changes):
    """The checker's answer on the sound tree with some files added or replaced."""
    return Tree(dict(SOUND, **changes)).check()


class SourcesTest(unittest.TestCase):
    def test_sound_tree_and_libraries_pass(self):
        self.assertEqual(Tree(SOUND).check(LINKS), (0, []))

    def test_includes_pointing_up_or_sideways_fail(self):
        code, offences = check_sound_tree_with(
            {
                "platform/Clipboard.h": '#include "wingui/Dpi.h"\n',
                "platform/fakes/FakeMain.h": '#include "app/Main.h"\n',
                "base/Path.cpp": '  #  include "platform/Clipboard.h"\n',
            }
        )
        self.assertEqual(code, 1)
        self.assertEqual(
            sorted(offences),
            [
                "base/Path.cpp: includes platform/Clipboard.h, which is not below base/",
                "platform/Clipboard.h: includes wingui/Dpi.h, which is not below platform/",
                "platform/fakes/FakeMain.h: includes app/Main.h, which is not below platform/",
            ],
        )

    def test_a_fake_naming_the_main_window_fails(self):
        code, offences = check_sound_tree_with({"platform/fakes/FakeView.h": "// stands in for CV2MainFrm/MainView.h\n"})
        self.assertEqual((code, offences), (1, ["platform/fakes/FakeView.h: a port's fake includes the main window"]))

    def test_long_files_fail_except_the_pixel_maps(self):
        code, offences = check_sound_tree_with(
            {"wingui/Long.cpp": "x\n" * 601, "wingui/Edge.cpp": "x\n" * 600, "wingui/ImageMaps.h": "x\n" * 5000}
        )
        self.assertEqual((code, offences), (1, ["wingui/Long.cpp: 601 lines (at most 600)"]))

    def test_ports_made_below_the_entry_fail(self):
        code, offences = check_sound_tree_with(
            {
                "wingui/Wizard_win.cpp": "auto ime = cv2::MakeWin32Ime ();\n",
                "wingui/Uses_win.cpp": "// takes the port made by MakeWin32Ime in app/\nvoid Show(Ime& ime);\n",
                "app/main_win.cpp": "auto ime = cv2::MakeWin32Ime();\n",
            }
        )
        self.assertEqual(
            (code, offences), (1, ["wingui/Wizard_win.cpp: makes a Win32 port; only app/ does, and hands it down"])
        )


class TableTest(unittest.TestCase):
    def test_a_table_linking_up_itself_twice_or_to_no_layer_fails(self):
        table = "base wingui\nplatform base\nwingui platform wingui\nplatform\ntree nothing\n"
        code, offences = Tree({}, table).check()
        self.assertEqual(code, 1)
        self.assertEqual(
            offences,
            [
                "layers table line 1: base links wingui, a layer not below it",
                "layers table line 3: wingui links wingui, itself",
                "layers table line 4: platform is listed twice",
                "layers table line 5: tree links nothing, a layer not below it",
            ],
        )

    def test_an_upward_table_entry_allows_no_upward_include(self):
        # The refused link must not widen what the folder may include.
        files = {"base/Text.h": '#include "wingui/Dpi.h"\n'}
        code, offences = Tree(files, "base wingui\nwingui base\n").check()
        self.assertEqual(code, 1)
        self.assertIn("base/Text.h: includes wingui/Dpi.h, which is not below base/", offences)


class LinksTest(unittest.TestCase):
    def test_a_library_linking_up_fails(self):
        links = LINKS.replace("cv2_platform: cv2_base", "cv2_platform: cv2_base cv2_app")
        code, offences = Tree(SOUND).check(links)
        self.assertEqual(code, 1)
        self.assertIn("library cv2_platform links cv2_app, which is not below it", offences)

    def test_a_cycle_is_named_from_start_to_start(self):
        links = LINKS.replace("cv2_base: cv2_win32", "cv2_base: cv2_win32 cv2_wingui")
        code, offences = Tree(SOUND).check(links)
        self.assertEqual(code, 1)
        self.assertIn("library cycle: cv2_base -> cv2_wingui -> cv2_base", offences)

    def test_system_settings_and_fakes_may_link_only_what_lies_below_them(self):
        links = LINKS.replace("cv2_win32:", "cv2_win32: cv2_base").replace(
            "cv2fakes: cv2_platform", "cv2fakes: cv2_platform cv2_wingui"
        )
        code, offences = Tree(SOUND).check(links)
        self.assertEqual(code, 1)
        self.assertIn("library cv2_win32 links cv2_base, which is not below it", offences)
        self.assertIn("library cv2fakes links cv2_wingui, which is not below it", offences)
        self.assertIn("library cycle: cv2_win32 -> cv2_base -> cv2_win32", offences)

    def test_a_layer_without_a_library_fails(self):
        links = LINKS.replace("cv2_wingui: cv2_base cv2_platform\n", "")
        code, offences = Tree(SOUND).check(links)
        self.assertEqual((code, offences), (1, ["no library cv2_wingui for the layer wingui/"]))

    def test_cycles_among_libraries_outside_the_layers_are_found_too(self):
        self.assertEqual(check_layers.find_cycle({"a": ["b"], "b": ["c"], "c": ["a"], "d": []}), ["a", "b", "c", "a"])
        self.assertIsNone(check_layers.find_cycle({"a": ["b", "c"], "b": ["c"], "c": []}))


if __name__ == "__main__":
    unittest.main()
