#!/usr/bin/python3
"""Checks the pictures and files drawn by resources/make_assets.py after a build.

    check_assets.py --script make_assets.py --assets build/assets --stage build/stage
                    --help-page resources/Help.html

The sizes below are fixed by the windows that show the pictures; they are listed here on
their own, not taken from the script, so a picture drawn at the wrong size is caught.
"""

import argparse
import html.parser
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from PIL import Image, ImageStat

ARGS = None

# Toolbar buttons: caption, normal face, lit face (shown on hover and while pressed).
TOOLBAR_FACES = (
    ("Home", 232, 242), ("Dossier", 231, 241), ("Testing", 237, 247),
    ("Suggest", 236, 246), ("Page Set", 233, 243), ("Backup", 230, 240),
    ("Restore", 234, 244), ("Setting", 235, 245), ("Help", 239, 249),
    ("About", 238, 248), ("Exit", 254, 255),
)

EXPECTED_SIZES = {
    **{f"bitmaps/{face}.png": (80, 72)
       for _, normal, lit in TOOLBAR_FACES for face in (normal, lit)},
    "bitmaps/250.png": (28, 20),   # minimise sign
    "bitmaps/251.png": (28, 20),
    "bitmaps/252.png": (42, 20),   # close sign
    "bitmaps/253.png": (42, 20),
    "bitmaps/143.png": (1920, 879),  # home picture
    "bitmaps/185.png": (6, 100),     # toolbar background strip
    "bitmaps/134.png": (253, 97),    # toolbar right-edge emblem
    "bitmaps/130.png": (624, 259),   # splash
    "icons/128.png": (256, 256),
    "icons/128-32.png": (32, 32),
    # test dialog
    "bitmaps/142.png": (1064, 627),  # background
    "bitmaps/141.png": (360, 170),   # picture of the prompt before a test
    "bitmaps/194.png": (145, 45),    # button faces: normal, pressed, disabled
    "bitmaps/227.png": (145, 45),
    "bitmaps/228.png": (145, 45),
    "bitmaps/clip185.png": (305 * 12, 469),  # the clip's twelve frames side by side
    **{f"icons/{icon}.png": (32, 32) for icon in range(186, 194)},
    **{f"bitmaps/{195 + 4 * bar}.png": (280, 16) for bar in range(4)},  # empty level bars
    **{f"bitmaps/{195 + 4 * bar + part}.png": (2, 16)  # left cap, fill, right cap
       for bar in range(4) for part in (1, 2, 3)},
}


def listed_paths():
    result = subprocess.run([sys.executable, ARGS.script, "--list"], check=True,
                            capture_output=True, text=True)
    return result.stdout.splitlines()


def luminance(path):
    return ImageStat.Stat(Image.open(path).convert("L")).mean[0]


class ListingTest(unittest.TestCase):
    def test_lists_every_picture_once_as_plain_relative_paths(self):
        paths = listed_paths()
        self.assertEqual(len(paths), len(set(paths)), "a path is listed twice")
        for path in paths:
            with self.subTest(path=path):
                self.assertTrue(path)
                self.assertFalse(path.startswith("/"))
                self.assertNotIn("\\", path)
                self.assertNotIn("..", path.split("/"))
                self.assertRegex(path, r"^(bitmaps|icons|stage)/")
        self.assertEqual(set(EXPECTED_SIZES) - set(paths), set(), "pictures not drawn")
        compiled = {p for p in paths if not p.startswith("stage/")}
        self.assertEqual(compiled - set(EXPECTED_SIZES), set(),
                         "pictures without a known size: add them to EXPECTED_SIZES")


class PictureTest(unittest.TestCase):
    def open(self, path):
        file = Path(ARGS.assets) / path
        self.assertTrue(file.is_file(), f"{file} was not built")
        image = Image.open(file)
        self.assertEqual(image.format, "PNG", path)
        image.load()
        return image

    def test_every_picture_has_its_size(self):
        for path, size in EXPECTED_SIZES.items():
            with self.subTest(path=path):
                self.assertEqual(self.open(path).size, size)

    def test_pictures_on_the_window_are_opaque(self):
        # they are stretched over the bar, the client area or a window of their own
        for path in EXPECTED_SIZES:
            if path.startswith("icons/"):
                continue
            with self.subTest(path=path):
                image = self.open(path)
                if "A" in image.getbands():
                    self.assertEqual(image.getchannel("A").getextrema(), (255, 255))

    def test_icons_have_transparent_corners(self):
        for path in ("icons/128.png", "icons/128-32.png"):
            with self.subTest(path=path):
                image = self.open(path).convert("RGBA")
                self.assertEqual(image.getpixel((0, 0))[3], 0)
                self.assertEqual(image.getpixel((image.width // 2, image.height // 2))[3], 255)

    def test_lit_faces_are_visibly_lighter(self):
        pairs = [(f"bitmaps/{normal}.png", f"bitmaps/{lit}.png", caption)
                 for caption, normal, lit in TOOLBAR_FACES]
        pairs.append(("bitmaps/250.png", "bitmaps/251.png", "minimise"))
        for normal, lit, caption in pairs:
            with self.subTest(button=caption):
                base = Path(ARGS.assets)
                self.assertGreater(luminance(base / lit), luminance(base / normal) + 8)

    def test_lit_close_sign_is_red(self):
        red, green, blue = ImageStat.Stat(self.open("bitmaps/253.png").convert("RGB")).mean
        self.assertGreater(red, 150)
        self.assertGreater(red, 2 * max(green, blue))
        red, green, blue = ImageStat.Stat(self.open("bitmaps/252.png").convert("RGB")).mean
        self.assertLess(red, blue, "the normal close sign sits on the blue bar")


class RepeatTest(unittest.TestCase):
    def test_drawing_again_gives_identical_files(self):
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run([sys.executable, ARGS.script, folder], check=True)
            for path in listed_paths():
                with self.subTest(path=path):
                    again = (Path(folder) / path).read_bytes()
                    built = (Path(ARGS.assets) / path).read_bytes()
                    self.assertEqual(again, built)
            written = {p.relative_to(folder).as_posix()
                       for p in Path(folder).rglob("*") if p.is_file()}
            self.assertEqual(written, set(listed_paths()), "files written but not listed")


class StageTest(unittest.TestCase):
    def test_stage_files_are_copied_unchanged(self):
        stage = Path(ARGS.stage)
        for path in listed_paths():
            if not path.startswith("stage/"):
                continue
            with self.subTest(path=path):
                staged = stage / path[len("stage/"):]
                self.assertEqual(staged.read_bytes(), (Path(ARGS.assets) / path).read_bytes())

    def test_help_page_and_data_folders_are_in_place(self):
        stage = Path(ARGS.stage)
        self.assertEqual((stage / "Help.html").read_bytes(),
                         Path(ARGS.help_page).read_bytes())
        self.assertTrue((stage / "Reports").is_dir())
        self.assertTrue((stage / "Image").is_dir())


class LinkCollector(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.fragments, self.charset = set(), [], None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a" and attrs.get("href", "").startswith("#"):
            self.fragments.append(attrs["href"][1:])
        if tag == "meta" and "charset" in attrs:
            self.charset = attrs["charset"].lower()


class HelpPageTest(unittest.TestCase):
    def test_page_is_utf8_and_its_links_lead_somewhere(self):
        text = Path(ARGS.help_page).read_bytes().decode("utf-8")
        collector = LinkCollector()
        collector.feed(text)
        self.assertEqual(collector.charset, "utf-8")
        self.assertTrue(collector.fragments)
        for fragment in collector.fragments:
            with self.subTest(link=fragment):
                self.assertIn(fragment, collector.ids)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--script", required=True)
    parser.add_argument("--assets", required=True)
    parser.add_argument("--stage", required=True)
    parser.add_argument("--help-page", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
