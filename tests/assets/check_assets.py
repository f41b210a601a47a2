#!/usr/bin/python3
"""Checks the pictures and files drawn by resources/make_assets.py after a build.

    check_assets.py --script make_assets.py --assets build/assets --stage build/stage
                    --help-page resources/Help.html

The sizes below are fixed by the windows and pages that show the pictures; they are listed
here on their own, not taken from the script, so a picture drawn at the wrong size is caught.
A picture's format follows its file name (.png, .jpg, .gif). The help page's own pictures
(resources/help/*.png, screenshots) are checked through the page that shows them.
"""

import argparse
import html.parser
import io
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
    # person pane: tree icons (woman, group, man), basic-info picture, person form's side,
    # progress box picture
    **{f"icons/{icon}.png": (24, 24) for icon in (156, 157, 158)},
    "bitmaps/136.png": (220, 160),
    "bitmaps/138.png": (150, 380),
    "bitmaps/133.png": (40, 40),
    # report pane: title, tree icon, composite button faces (normal, hover, pressed)
    "bitmaps/139.png": (208, 45),
    "icons/159.png": (16, 16),
    **{f"bitmaps/{face}.png": (188, 36) for face in (216, 217, 218)},
    # comparison pane: plate under each date, button icons and faces
    "bitmaps/220.png": (129, 59),
    **{f"icons/{icon}.png": (32, 32) for icon in (221, 222, 223)},
    **{f"bitmaps/{face}.png": (65, 73) for face in (224, 225, 226)},
    # pictures the report pages name, installed into Reports/
    "stage/Reports/Pagebg.jpg": (160, 160),  # a tile the page repeats
    **{f"stage/Reports/YCMark{level}.jpg": (14, 14) for level in range(1, 5)},
    **{f"stage/Reports/YC{code:02d}.gif": (120, 18) for code in range(1, 11)},
    "stage/Reports/Mark.jpg": (100, 15),     # stretched to a width by the page
}

FORMATS = {".png": "PNG", ".jpg": "JPEG", ".gif": "GIF"}

# Drawn over their window's own background, so transparent around their shapes.
OVERLAYS = ("bitmaps/133.png", "bitmaps/136.png")

# Grade colours of the report pages, by distance from normal: normal, mild, moderate,
# severe. The legend mark YCMark<n> stands for level 4 - n.
GRADE_COLOURS = ((0x33, 0x99, 0x66), (0x00, 0x00, 0xFF), (0xFF, 0x66, 0x00), (0xFF, 0x00, 0x00))

# Grade pictures: code, colour of its lit part, where that part lies on the scale (below
# normal to the left, above to the right).
GRADES = (
    (1, 3, "left"), (2, 2, "left"), (3, 1, "left"), (4, 0, "middle"), (5, 1, "right"),
    (6, 2, "right"), (7, 3, "right"), (8, 0, "middle"), (9, 3, "left"), (10, 3, "right"),
)


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
        image = Image.open(io.BytesIO(file.read_bytes()))  # a GIF would keep its file open
        self.assertEqual(image.format, FORMATS[Path(path).suffix], path)
        image.load()
        return image

    def test_every_picture_has_its_size(self):
        for path, size in EXPECTED_SIZES.items():
            with self.subTest(path=path):
                self.assertEqual(self.open(path).size, size)

    def test_pictures_on_the_window_are_opaque(self):
        # they are stretched over the bar, the client area or a window of their own
        for path in EXPECTED_SIZES:
            if path.startswith("icons/") or path in OVERLAYS:
                continue
            with self.subTest(path=path):
                image = self.open(path)
                if "A" in image.getbands():
                    self.assertEqual(image.getchannel("A").getextrema(), (255, 255))

    def test_icons_and_overlays_have_transparent_corners(self):
        paths = [p for p in EXPECTED_SIZES if p.startswith("icons/")] + list(OVERLAYS)
        for path in paths:
            with self.subTest(path=path):
                image = self.open(path).convert("RGBA")
                last_x, last_y = image.width - 1, image.height - 1
                for corner in ((0, 0), (last_x, 0), (0, last_y), (last_x, last_y)):
                    self.assertEqual(image.getpixel(corner)[3], 0, corner)
                if path.startswith("icons/"):
                    middle = (image.width // 2, image.height // 2)
                    self.assertEqual(image.getpixel(middle)[3], 255)

    def test_lit_faces_are_visibly_lighter(self):
        # (darker face, lighter face): normal and lit, pressed and normal
        pairs = [(f"bitmaps/{normal}.png", f"bitmaps/{lit}.png", caption)
                 for caption, normal, lit in TOOLBAR_FACES]
        pairs += [("bitmaps/250.png", "bitmaps/251.png", "minimise"),
                  ("bitmaps/216.png", "bitmaps/217.png", "composite, hover"),
                  ("bitmaps/218.png", "bitmaps/216.png", "composite, pressed"),
                  ("bitmaps/224.png", "bitmaps/225.png", "comparison, hover"),
                  ("bitmaps/226.png", "bitmaps/224.png", "comparison, pressed"),
                  ("bitmaps/227.png", "bitmaps/194.png", "test dialog, pressed")]
        for darker, lighter, caption in pairs:
            with self.subTest(button=caption):
                base = Path(ARGS.assets)
                self.assertGreater(luminance(base / lighter), luminance(base / darker) + 8)

    def test_lit_close_sign_is_red(self):
        red, green, blue = ImageStat.Stat(self.open("bitmaps/253.png").convert("RGB")).mean
        self.assertGreater(red, 150)
        self.assertGreater(red, 2 * max(green, blue))
        red, green, blue = ImageStat.Stat(self.open("bitmaps/252.png").convert("RGB")).mean
        self.assertLess(red, blue, "the normal close sign sits on the blue bar")


def near(colour, other, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, other))


class ReportPictureTest(unittest.TestCase):
    def open(self, path):
        with Image.open(Path(ARGS.assets) / path) as image:
            return image.convert("RGB")

    def test_page_background_is_light(self):
        self.assertGreater(luminance(Path(ARGS.assets) / "stage/Reports/Pagebg.jpg"), 240)

    def test_legend_marks_show_their_grade_colour(self):
        for level in range(1, 5):
            with self.subTest(mark=level):
                image = self.open(f"stage/Reports/YCMark{level}.jpg")
                middle = image.getpixel((image.width // 2, image.height // 2))
                self.assertTrue(near(middle, GRADE_COLOURS[4 - level], 24), middle)

    def test_grade_pictures_light_their_colour_on_their_side(self):
        for code, colour_index, side in GRADES:
            with self.subTest(code=code):
                image = self.open(f"stage/Reports/YC{code:02d}.gif")
                counts = [0] * len(GRADE_COLOURS)
                columns = []
                for y in range(image.height):
                    for x in range(image.width):
                        pixel = image.getpixel((x, y))
                        for index, colour in enumerate(GRADE_COLOURS):
                            if near(pixel, colour, 30):
                                counts[index] += 1
                                if index == colour_index:
                                    columns.append(x)
                self.assertEqual(counts.index(max(counts)), colour_index, counts)
                centre = sum(columns) / len(columns) / image.width
                expected = {"left": (0.0, 0.45), "middle": (0.45, 0.55), "right": (0.55, 1.0)}
                low, high = expected[side]
                self.assertTrue(low <= centre <= high, f"lit part at {centre:.2f} of the width")

    def test_grade_pictures_differ(self):
        pictures = [(Path(ARGS.assets) / f"stage/Reports/YC{code:02d}.gif").read_bytes()
                    for code in range(1, 11)]
        self.assertEqual(len(set(pictures)), len(pictures))


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
        self.images = []  # (src, alt) of every <img>

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a" and attrs.get("href", "").startswith("#"):
            self.fragments.append(attrs["href"][1:])
        if tag == "meta" and "charset" in attrs:
            self.charset = attrs["charset"].lower()
        if tag == "img":
            self.images.append((attrs.get("src") or "", attrs.get("alt") or ""))


def help_page_links():
    collector = LinkCollector()
    collector.feed(Path(ARGS.help_page).read_bytes().decode("utf-8"))
    return collector


class HelpPageTest(unittest.TestCase):
    def test_page_is_utf8_and_its_links_lead_somewhere(self):
        collector = help_page_links()
        self.assertEqual(collector.charset, "utf-8")
        self.assertTrue(collector.fragments)
        for fragment in collector.fragments:
            with self.subTest(link=fragment):
                self.assertIn(fragment, collector.ids)

    def test_every_picture_of_the_page_is_a_png_beside_it(self):
        # The page is opened from the installation folder, so a picture is a relative path
        # below the page's own folder, kept in the sources next to Help.html.
        images = help_page_links().images
        self.assertTrue(images, "the page shows no picture")
        folder = Path(ARGS.help_page).resolve().parent
        for src, alt in images:
            with self.subTest(src=src):
                self.assertRegex(src, r"^[\w-][\w./-]*\.png$", "a relative path to a .png file")
                self.assertNotIn("..", src.split("/"))
                self.assertTrue(alt.strip(), "the picture has no alt text")
                file = folder / src
                self.assertTrue(file.is_file(), f"{file} does not exist")
                data = file.read_bytes()
                self.assertTrue(data.startswith(b"\x89PNG\r\n\x1a\n"), "not a PNG file")
                with Image.open(io.BytesIO(data)) as image:
                    self.assertEqual(image.format, "PNG")
                    image.load()  # a cut-off file fails here

    def test_every_help_picture_is_shown(self):
        # The refresh script writes the pictures the page is meant to show; one it does not
        # show is a missing <img> or a stale file that would still be installed.
        folder = Path(ARGS.help_page).resolve().parent
        shown = {src for src, _ in help_page_links().images}
        pictures = {p.relative_to(folder).as_posix() for p in (folder / "help").glob("*.png")}
        self.assertEqual(pictures - shown, set(), "pictures the page does not show")

    def test_pictures_of_the_page_are_staged_beside_it(self):
        folder = Path(ARGS.help_page).resolve().parent
        for src, _ in help_page_links().images:
            with self.subTest(src=src):
                staged = Path(ARGS.stage) / src
                self.assertTrue(staged.is_file(), f"{staged} was not staged")
                self.assertTrue(staged.read_bytes() == (folder / src).read_bytes(),
                                f"{staged} differs from its source")


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--script", required=True)
    parser.add_argument("--assets", required=True)
    parser.add_argument("--stage", required=True)
    parser.add_argument("--help-page", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
