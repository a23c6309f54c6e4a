#!/usr/bin/python3
"""Builds resources/images/contact_sheet.png for review (not shipped): every toolbar icon
at its own size and enlarged 4 times (nearest pixel), on light and dark backgrounds, then
the application icon, the start-up pictures and the map.

Needs: python3-pil, fonts-dejavu-core.
Usage: tools/art/make_contact_sheet.py [images folder]   (default: resources/images)
"""
import csv
import os
import sys

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
LIGHT, DARK = (239, 239, 239), (60, 63, 65)
ZOOM = 4


def paste(sheet, img, x, y, bg):
    tile = Image.new("RGBA", img.size, bg + (255,))
    tile.alpha_composite(img)
    sheet.paste(tile.convert("RGB"), (x, y))


def main():
    images = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "images")
    with open(os.path.join(images, "toolbar", "index.csv"), encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    font = ImageFont.truetype(FONT, 11)
    title = ImageFont.truetype(FONT, 14)

    cell_w, cell_h = 190, 32 * ZOOM + 40
    per_row = 6
    toolbars = []
    for r in rows:
        if not toolbars or toolbars[-1][0] != r["toolbar"]:
            toolbars.append((r["toolbar"], []))
        toolbars[-1][1].append(r)
    height = 10
    for _, items in toolbars:
        height += 24 + ((len(items) + per_row - 1) // per_row) * cell_h
    pictures = [("horavel_256.png", "application icon"), ("tip_107.png", "107"),
                ("new_dial_177.png", "177"), ("help_178.png", "178"), ("open_dial_179.png", "179"),
                ("startup_236.png", "236"), ("map_152.png", "152 map")]
    pics = [(Image.open(os.path.join(images, n)).convert("RGBA"), label) for n, label in pictures]
    height += 30 + max(p.size[1] for p, _ in pics) + 20
    width = max(cell_w * per_row + 20, sum(p.size[0] + 20 for p, _ in pics) + 20)
    sheet = Image.new("RGB", (width, height), (255, 255, 255))
    draw = ImageDraw.Draw(sheet)

    y = 10
    for toolbar, items in toolbars:
        draw.text((10, y), f"toolbar {toolbar} ({items[0]['size']})", fill=(0, 0, 0), font=title)
        y += 24
        for i, r in enumerate(items):
            x = 10 + (i % per_row) * cell_w
            yy = y + (i // per_row) * cell_h
            img = Image.open(os.path.join(images, "toolbar", r["command"] + ".png")).convert("RGBA")
            big = img.resize((img.size[0] * ZOOM, img.size[1] * ZOOM), Image.NEAREST)
            paste(sheet, big, x, yy, LIGHT)
            paste(sheet, img, x + big.size[0] + 6, yy, LIGHT)
            paste(sheet, img, x + big.size[0] + 6, yy + img.size[1] + 6, DARK)
            draw.text((x, yy + big.size[1] + 4), r["command"], fill=(0, 0, 0), font=font)
            desc = r["description"]
            draw.text((x, yy + big.size[1] + 17), desc[:30] + ("..." if len(desc) > 30 else ""),
                      fill=(90, 90, 90), font=font)
        y += ((len(items) + per_row - 1) // per_row) * cell_h
    y += 10
    x = 10
    for img, label in pics:
        draw.text((x, y), label, fill=(0, 0, 0), font=title)
        paste(sheet, img, x, y + 20, LIGHT)
        x += img.size[0] + 20
    out = os.path.join(images, "contact_sheet.png")
    sheet.save(out)
    print(out)


if __name__ == "__main__":
    main()
