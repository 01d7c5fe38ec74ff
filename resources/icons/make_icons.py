#!/usr/bin/env python3
"""Draws the program icon for the desktop: hicolor/scalable/apps/versewright.svg and the PNG
sizes beside it (16 to 256 pixels), rendered with rsvg-convert (Debian: librsvg2-bin).
The small sizes drop the fine lines that would only blur. Run from anywhere: python3 make_icons.py"""
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

# 64-unit grid: a blue tile, a lyric sheet with timed lines, a note and a clock.
DEFS = """
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#4f8fe8"/><stop offset="1" stop-color="#1f4f9f"/>
    </linearGradient>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffe890"/><stop offset="1" stop-color="#f0b830"/>
    </linearGradient>
  </defs>"""
TILE = '<rect x="2" y="2" width="60" height="60" rx="11" fill="url(#tile)" stroke="#163a78" stroke-width="1.5"/>'
SHEET = ('<path d="M12 9h28l9 9v37H12z" fill="#fff" stroke="#163a78" stroke-width="1.5"/>'
         '<path d="M40 9v9h9" fill="#d6e2f4" stroke="#163a78" stroke-width="1.5"/>')
LINES_FINE = ('<path d="M17 19h6M26 19h10M17 26h6M26 26h16M17 33h6M26 33h12M17 40h6M26 40h8"'
              ' stroke="#7a8cab" stroke-width="2.2"/>')
LINES_BOLD = '<path d="M17 20h24M17 29h20M17 38h14" stroke="#7a8cab" stroke-width="4"/>'
NOTE = ('<path d="M44 50V27l11-3.5v6l-8 2.5" fill="none" stroke="#e0462a" stroke-width="3.4"'
        ' stroke-linejoin="round"/><ellipse cx="40" cy="50" rx="5.2" ry="4.2" fill="#e0462a"/>')
CLOCK = ('<circle cx="18" cy="47" r="11" fill="url(#face)" stroke="#6a4a08" stroke-width="1.8"/>'
         '<path d="M18 40v7h5.5" fill="none" stroke="#303030" stroke-width="2.4"'
         ' stroke-linecap="round" stroke-linejoin="round"/>')


def icon(size, small):
    body = DEFS + TILE + SHEET + (LINES_BOLD if small else LINES_FINE) + NOTE + CLOCK
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 64 64">{body}</svg>\n')


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)


def main():
    scalable = os.path.join(HERE, "hicolor", "scalable", "apps", "versewright.svg")
    write(scalable, icon(64, False))
    for size in SIZES:
        out = os.path.join(HERE, "hicolor", f"{size}x{size}", "apps", "versewright.png")
        source = scalable
        if size < 32:
            source = out + ".svg"
            write(source, icon(size, True))
        os.makedirs(os.path.dirname(out), exist_ok=True)
        try:
            subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", out, source],
                           check=True)
        finally:
            if source != scalable:
                os.unlink(source)


if __name__ == "__main__":
    main()
