#!/usr/bin/env python3
"""Draws the program's icon, which is also the icon of its score files: a
sheet with a five-line staff and a beamed pair of notes. Writes SVG to the
path given (assets/icons/notavistra.svg)."""
import sys

SIZE = 64


def staff(top, gap):
    return "".join(
        f'<line x1="12" y1="{top + i * gap}" x2="52" y2="{top + i * gap}" stroke="#333" stroke-width="1.5"/>'
        for i in range(5))


def note(x, y):
    return (f'<ellipse cx="{x}" cy="{y}" rx="4.5" ry="3.2" transform="rotate(-20 {x} {y})" fill="#123"/>'
            f'<line x1="{x + 4}" y1="{y - 1}" x2="{x + 4}" y2="{y - 20}" stroke="#123" stroke-width="2"/>')


def main():
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">',
        '<rect x="6" y="4" width="52" height="56" rx="4" fill="#fdfcf5" stroke="#556" stroke-width="2"/>',
        staff(18, 7),
        note(24, 42), note(40, 35),
        '<path d="M27 22 L45 15 L45 19 L27 26 Z" fill="#123"/>',
        '</svg>',
    ]
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write("\n".join(parts) + "\n")


if __name__ == "__main__":
    main()
