#!/usr/bin/env python3
"""Draws the program's images: tool bar strips 130 (20x20) and 136 (16x16), check mark 134,
frame icon 128 and gutter marker 135. Glyphs are SVG on a 16-unit grid rendered with
rsvg-convert (Debian: librsvg2-bin); the check mark is written pixel by pixel.
Run from anywhere: python3 make_images.py"""
import os
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
INK = "#303030"

GLYPHS = {
    "new": f"""
      <path d="M3.5 1.5h7l3 3v10h-10z" fill="#fff" stroke="{INK}"/>
      <path d="M10.5 1.5v3h3" fill="#d8d8d8" stroke="{INK}"/>""",
    "open": """
      <path d="M1.5 13.5v-10h4l1 1h6v2" fill="#d8a830" stroke="#705010"/>
      <path d="M1.5 13.5l2.5-6.5h11.5l-2.5 6.5z" fill="#f8d860" stroke="#705010"/>""",
    "save": """
      <path d="M1.5 1.5h11l2 2v11h-13z" fill="#3868b8" stroke="#102850"/>
      <rect x="4" y="2" width="7" height="5" fill="#fff"/>
      <path d="M5 3.5h5M5 5.5h5" stroke="#9ab"/>
      <rect x="4.5" y="9.5" width="7" height="5" fill="#c8ccd4" stroke="#102850"/>
      <rect x="6" y="10.5" width="2" height="3" fill="#102850"/>""",
    "cut": f"""
      <path d="M5.7 10.2L10.8 1.5M10.3 10.2L5.2 1.5" stroke="#707880" stroke-width="1.4"/>
      <circle cx="4.5" cy="12" r="2.2" fill="none" stroke="{INK}" stroke-width="1.3"/>
      <circle cx="11.5" cy="12" r="2.2" fill="none" stroke="{INK}" stroke-width="1.3"/>""",
    "copy": f"""
      <path d="M1.5 1.5h6l2 2v7h-8z" fill="#fff" stroke="{INK}"/>
      <path d="M3.5 3.5h2M3.5 5.5h4M3.5 7.5h4" stroke="#8090a8"/>
      <path d="M6.5 5.5h6l2 2v7h-8z" fill="#fff" stroke="{INK}"/>
      <path d="M8.5 8.5h4M8.5 10.5h4M8.5 12.5h4" stroke="#8090a8"/>""",
    "paste": f"""
      <rect x="2.5" y="2.5" width="10" height="12" rx="1" fill="#b07838" stroke="#583410"/>
      <rect x="5.5" y="1.5" width="4" height="3" fill="#c8c8c8" stroke="{INK}"/>
      <path d="M7.5 6.5h6l1 1v7h-7z" fill="#fff" stroke="{INK}"/>
      <path d="M9 9.5h4M9 11.5h4" stroke="#8090a8"/>""",
    "print": f"""
      <path d="M4.5 6.5v-5h6l1 1v4" fill="#fff" stroke="{INK}"/>
      <rect x="1.5" y="6.5" width="13" height="5" rx="1" fill="#b8bcc4" stroke="{INK}"/>
      <rect x="4.5" y="10.5" width="7" height="4" fill="#fff" stroke="{INK}"/>
      <path d="M6 12.5h4" stroke="#8090a8"/>
      <rect x="11" y="8" width="2" height="1" fill="#30a030"/>""",
    "about": """
      <circle cx="8" cy="8" r="6.5" fill="#2f6fd0" stroke="#183870"/>
      <rect x="7" y="6.5" width="2" height="5.5" fill="#fff"/>
      <rect x="7" y="3.5" width="2" height="2" fill="#fff"/>""",
    "title": f"""
      <rect x="1.5" y="2.5" width="11" height="12" fill="#fff" stroke="{INK}"/>
      <path d="M3.5 4.5h5M3.5 6.5h7M3.5 8.5h4M3.5 10.5h3" stroke="#2f6fd0"/>
      <path d="M8 14l1-3 5.5-5.5 2 2L11 13z" fill="#f0c040" stroke="#704010"/>
      <path d="M8 14l1-3 2 2z" fill="#303030"/>""",
    "font": """
      <path d="M1 14L5.5 2h2L12 14h-2.6l-1.1-3.2H4.7L3.6 14z M5.3 8.8h2.4L6.5 5.2z"
            fill="#183870"/>
      <path d="M12.5 9.5c2.2-1 3 0 3 1.5V14h-1.2" fill="none" stroke="#b03030" stroke-width="1.2"/>
      <circle cx="13" cy="12.4" r="1.3" fill="none" stroke="#b03030" stroke-width="1.1"/>""",
    "audio": """
      <path d="M1.5 13.5v-10h4l1 1h6v2" fill="#d8a830" stroke="#705010"/>
      <path d="M1.5 13.5l2.5-6.5h11.5l-2.5 6.5z" fill="#f8d860" stroke="#705010"/>
      <path d="M9.2 11.6V3.2l4.3-1.4v2.1l-3.1 1" fill="none" stroke="#183870" stroke-width="1.3"/>
      <ellipse cx="7.9" cy="11.7" rx="1.8" ry="1.4" fill="#183870"/>""",
    "play": """
      <path d="M4 2l10 6-10 6z" fill="#30a040" stroke="#105018" stroke-linejoin="round"/>""",
    "pause": """
      <rect x="3.5" y="2.5" width="3" height="11" fill="#3868b8" stroke="#102850"/>
      <rect x="9.5" y="2.5" width="3" height="11" fill="#3868b8" stroke="#102850"/>""",
    "back": """
      <path d="M8 3v10L1.5 8z M14.5 3v10L8 8z" fill="#3868b8" stroke="#102850"
            stroke-linejoin="round"/>""",
    "forward": """
      <path d="M8 3v10l6.5-5z M1.5 3v10L8 8z" fill="#3868b8" stroke="#102850"
            stroke-linejoin="round"/>""",
    "stop": """
      <rect x="3.5" y="3.5" width="9" height="9" fill="#c83028" stroke="#601010"/>""",
    "help": """
      <path d="M2.5 2.5h9l2 1v11h-9l-2-1z" fill="#3868b8" stroke="#102850"/>
      <path d="M4.5 14.5v-11h9" fill="none" stroke="#fff"/>
      <path d="M6.8 6.3c0-1.3 1-2 2.2-2s2.2.7 2.2 1.9c0 1.6-2 1.6-2 3.2"
            fill="none" stroke="#f8d860" stroke-width="1.5"/>
      <rect x="8.3" y="10.6" width="1.6" height="1.6" fill="#f8d860"/>""",
    "clock": f"""
      <circle cx="8" cy="8" r="6.5" fill="#fff" stroke="{INK}"/>
      <path d="M8 4v4h3" fill="none" stroke="#183870" stroke-width="1.4"/>
      <path d="M8 1.5v1.2M8 13.3v1.2M1.5 8h1.2M13.3 8h1.2" stroke="{INK}"/>""",
}

# Button order of the tool bar resources (separators have no image).
STRIP_130 = ["new", "open", "save", "cut", "copy", "paste", "clock", "title",
             "play", "pause", "back", "forward", "stop", "print", "about"]
STRIP_136 = ["new", "open", "save", "cut", "copy", "paste", "print", "about", "title",
             "font", "audio", "play", "pause", "back", "forward", "stop", "help"]

FRAME_ICON = """
  <path d="M6.5 1.5h20l5 5v24h-25z" fill="#fff" stroke="#303030"/>
  <path d="M26.5 1.5v5h5" fill="#d8d8d8" stroke="#303030"/>
  <path d="M10 8h6M10 12h13M10 16h9M10 20h5M10 24h7" stroke="#8090a8" stroke-width="1.6"/>
  <path d="M21.5 27V13.5l8-2.5v3.5l-6 1.8" fill="none" stroke="#2f6fd0" stroke-width="2.2"/>
  <ellipse cx="19.2" cy="27" rx="3.3" ry="2.6" fill="#2f6fd0"/>
  <circle cx="8" cy="24" r="6.5" fill="#f8d860" stroke="#705010" stroke-width="1.2"/>
  <path d="M8 19.8V24h3.2" fill="none" stroke="#303030" stroke-width="1.4"/>"""

MARKER = """
  <path d="M1.5 5.5h7v-4l6.5 6.5-6.5 6.5v-4h-7z" fill="#e85020" stroke="#702010"
        stroke-linejoin="round"/>"""


def svg(width, height, body, view=None):
    view = view or f"0 0 {width} {height}"
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="{view}">{body}</svg>')


def render(svg_text, out_name):
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(svg_text)
        path = f.name
    try:
        subprocess.run(["rsvg-convert", "-o", os.path.join(HERE, out_name), path], check=True)
    finally:
        os.unlink(path)


def strip(names, cell, scale, offset):
    groups = "".join(
        f'<g transform="translate({i * cell + offset} {offset}) scale({scale})">{GLYPHS[n]}</g>'
        for i, n in enumerate(names))
    return svg(cell * len(names), cell, groups)


def write_png(name, width, height, rows):
    """rows: list of lists of (r, g, b) tuples; written as 8-bit RGB."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(png)


def check_mark():
    """18x18 in the 16 classic colours: grey top/left edge, white bottom/right edge, a dotted
    light-grey/white inside and a black check. The program maps grey, light grey and white to
    the palette's shadow, face (transparent) and light colours."""
    grey, light, white, black = (0x80,) * 3, (0xC0,) * 3, (0xFF,) * 3, (0, 0, 0)
    tick = ["......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."]
    rows = []
    for y in range(18):
        row = []
        for x in range(18):
            if y == 0 or x == 0:
                px = grey if x < 17 and y < 17 else white
            elif y == 17 or x == 17:
                px = white
            else:
                px = white if (x + y) % 2 == 0 else light
                ty, tx = y - 5, x - 5
                if 0 <= ty < 7 and 0 <= tx < 7 and tick[ty][tx] == "#":
                    px = black
            row.append(px)
        rows.append(row)
    write_png("check134.png", 18, 18, rows)


def main():
    render(strip(STRIP_136, 16, 1, 0), "toolbar136.png")
    render(strip(STRIP_130, 20, 1.125, 1), "toolbar130.png")
    for size in (16, 32, 48):
        render(svg(size, size, FRAME_ICON, "0 0 32 32"), f"frame128_{size}.png")
    render(svg(16, 16, MARKER), "marker135.png")
    check_mark()


if __name__ == "__main__":
    main()
