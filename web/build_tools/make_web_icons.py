#!/usr/bin/env python3
"""Draws the page's icons (for the web app manifest and the tab) with the desktop icon's own
drawing, src/app/make_icon.py, and writes them as PNGs into a directory.

Large sizes take fewer samples per pixel than the desktop's small ones: at 192 pixels and
more, 4 or 2 x 2 samples already give clean edges, and the drawing stays a few seconds long.

    python3 web/build_tools/make_web_icons.py DIR   # writes DIR/icon-32.png, icon-192.png, icon-512.png
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'app'))
import make_icon  # noqa: E402

SIZES = ((32, 8), (192, 4), (512, 2))  # (pixels, samples per side)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_web_icons.py DIR')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for size, samples in SIZES:
        make_icon.SAMPLES = samples
        make_icon.write_png(os.path.join(out, 'icon-%d.png' % size), make_icon.render(size))


if __name__ == '__main__':
    main()
