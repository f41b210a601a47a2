#!/usr/bin/python3
"""Refreshes the pictures of the help page from the walkthrough test.

    resources/help/refresh.py [BUILD_FOLDER]

BUILD_FOLDER is a built tree holding tests/ui/tst_walkthrough and the staged installation
folder (default: build at the repository root). The script runs the walkthrough into a
temporary folder, takes the screenshots named in PICTURES below, scales the wide ones down
to MAX_WIDTH pixels, and writes them as palette PNGs to resources/help/<name>.png beside this
script. Pictures of this folder that are no longer named are removed. A failed walkthrough
changes nothing.

The walkthrough numbers its screenshots in the order it takes them ("NN-name.png"); the
numbers shift when steps are added, so pictures are chosen by the name part. A name taken
more than once (the person editor) gives the first picture.
"""

import argparse
import io
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image, features

HELP_FOLDER = Path(__file__).resolve().parent
REPOSITORY = HELP_FOLDER.parent.parent
SCREEN = REPOSITORY / "tests" / "ui" / "walkthrough-screen.json"

# The screenshots the help page shows, by the name the walkthrough gives them.
PICTURES = (
    "home",                   # main window with the start picture
    "group-editor",           # Group Info dialog
    "person-editor",          # the tested person's data
    "person-pane",            # groups and persons, Basic Info
    "search",                 # Search tested person
    "test-running",           # test dialog halfway through a test
    "tested-record",          # the person's tests, the newest ticked
    "report",                 # report pane with a report page
    "full-page",              # Full Page View
    "comparison",             # two tests compared
    "preferences",            # Preferences dialog
    "advice-editor",          # Edit Expert Advice
    "composite-with-advice",  # composite page showing an edited advice text
    "backup",                 # Backup dialog
)

# Wider screenshots are scaled down to this width; dialogs keep their size.
MAX_WIDTH = 1100
SHOT_NAME = re.compile(r"^\d+-(?P<name>.+)\.png$")


def run_walkthrough(build, folder):
    program = build / "tests" / "ui" / "tst_walkthrough"
    if not program.is_file():
        sys.exit(f"{program} is missing: build it first "
                 f"(cmake --build {build} --target tst_walkthrough)")
    environment = dict(os.environ,
                       QT_QPA_PLATFORM=f"offscreen:configfile={SCREEN}", TZ="UTC", LC_ALL="C")
    print(f"Running the walkthrough in {build} ...", flush=True)
    result = subprocess.run([str(program), "-screenshots", str(folder)], cwd=build,
                            env=environment, capture_output=True, text=True)
    if result.returncode != 0:
        sys.stderr.write(result.stdout[-4000:] + result.stderr[-4000:])
        sys.exit(f"the walkthrough failed (exit status {result.returncode}); "
                 "no picture was changed")


def shots_by_name(folder):
    shots = {}
    for file in sorted(folder.glob("*.png")):
        match = SHOT_NAME.match(file.name)
        if match:
            shots.setdefault(match["name"], file)
    return shots


def help_picture(shot):
    """The screenshot as the help page shows it, as PNG bytes."""
    with Image.open(shot) as image:
        picture = image.convert("RGB")
    if picture.width > MAX_WIDTH:
        height = round(picture.height * MAX_WIDTH / picture.width)
        picture = picture.resize((MAX_WIDTH, height), Image.Resampling.LANCZOS)
    # 256 colours chosen by libimagequant keep the screenshots' colours and cut the size to
    # a third; without it the picture stays in full colour. libimagequant reads four bytes
    # a pixel, so it is given RGBA (from RGB it returns a blank picture after a resize).
    if features.check("libimagequant"):
        quantized = picture.convert("RGBA").quantize(
            colors=256, method=Image.Quantize.LIBIMAGEQUANT, dither=Image.Dither.NONE)
        # The same indices with an RGB palette: every pixel is opaque, no tRNS chunk.
        picture = Image.frombytes("P", quantized.size, quantized.tobytes())
        picture.putpalette(quantized.getpalette("RGB"))
    data = io.BytesIO()
    picture.save(data, "PNG", optimize=True)
    return data.getvalue(), picture.size


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build", nargs="?", type=Path, default=REPOSITORY / "build",
                        help="built tree (default: build at the repository root)")
    build = parser.parse_args().build.resolve()
    if not features.check("libimagequant"):
        print("Pillow lacks libimagequant: the pictures are written in full colour")

    with tempfile.TemporaryDirectory(prefix="halvoret-help-") as temporary:
        folder = Path(temporary)
        run_walkthrough(build, folder)
        shots = shots_by_name(folder)
        missing = [name for name in PICTURES if name not in shots]
        if missing:
            sys.exit(f"the walkthrough took no screenshot named {', '.join(missing)}; "
                     f"it took: {', '.join(sorted(shots))}")
        pictures = {name: help_picture(shots[name]) for name in PICTURES}

    total = 0
    for name, (data, (width, height)) in pictures.items():
        target = HELP_FOLDER / f"{name}.png"
        changed = not target.is_file() or target.read_bytes() != data
        if changed:
            partial = target.with_suffix(".png.part")
            partial.write_bytes(data)
            partial.replace(target)
        total += len(data)
        print(f"  {target.name:28} {width:5} x {height:<4} {len(data):8} bytes"
              f"{'  (changed)' if changed else ''}")
    for stale in sorted(set(HELP_FOLDER.glob("*.png")) -
                        {HELP_FOLDER / f"{name}.png" for name in PICTURES}):
        stale.unlink()
        print(f"  removed {stale.name}")
    print(f"{len(pictures)} pictures, {total} bytes, in {HELP_FOLDER}")


if __name__ == "__main__":
    main()
