#!/usr/bin/python3
"""Builds resources/images/contact_sheet.png for review (not shipped): every toolbar icon
and every 32 x 32 dialog button at its own size and enlarged 4 times (nearest pixel), on
light and dark backgrounds, then the application icon and the other pictures of
pictures.csv (labelled with their resource numbers) at their own size.

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
        heading = f"toolbar {r['toolbar']} ({r['size']})"
        if not toolbars or toolbars[-1][0] != heading:
            toolbars.append((heading, []))
        toolbars[-1][1].append((os.path.join("toolbar", r["command"] + ".png"), r["command"],
                                r["description"]))
    with open(os.path.join(images, "pictures.csv"), encoding="utf-8") as f:
        listed = list(csv.DictReader(f))
    # The small pictures (dialog buttons) get the icons' treatment: enlarged and on both
    # backgrounds; the others are shown at their own size.
    small = [(r["file"], r["resource"], r["description"]) for r in listed
             if int(r["width"]) <= 32 and int(r["height"]) <= 32]
    if small:
        toolbars.append(("dialog buttons (32x32)", small))
    pictures = [("horavel_256.png", "application icon")] + [
        (r["file"], r["resource"]) for r in listed if int(r["width"]) > 32 or int(r["height"]) > 32]
    pics = [(Image.open(os.path.join(images, n)).convert("RGBA"), label) for n, label in pictures]

    width = cell_w * per_row + 20
    # Pictures in rows that wrap at the sheet's width.
    pic_rows, x = [[]], 10
    for img, label in pics:
        if pic_rows[-1] and x + img.size[0] + 10 > width:
            pic_rows.append([])
            x = 10
        pic_rows[-1].append((img, label))
        x += img.size[0] + 20
    width = max(width, max(sum(i.size[0] + 20 for i, _ in r) + 10 for r in pic_rows))
    height = 10
    for _, items in toolbars:
        height += 24 + ((len(items) + per_row - 1) // per_row) * cell_h
    height += 10 + sum(30 + max(i.size[1] for i, _ in r) for r in pic_rows) + 10
    sheet = Image.new("RGB", (width, height), (255, 255, 255))
    draw = ImageDraw.Draw(sheet)

    y = 10
    for title_text, items in toolbars:
        draw.text((10, y), title_text, fill=(0, 0, 0), font=title)
        y += 24
        for i, (file_name, name, desc) in enumerate(items):
            x = 10 + (i % per_row) * cell_w
            yy = y + (i // per_row) * cell_h
            img = Image.open(os.path.join(images, file_name)).convert("RGBA")
            big = img.resize((img.size[0] * ZOOM, img.size[1] * ZOOM), Image.NEAREST)
            paste(sheet, big, x, yy, LIGHT)
            paste(sheet, img, x + big.size[0] + 6, yy, LIGHT)
            paste(sheet, img, x + big.size[0] + 6, yy + img.size[1] + 6, DARK)
            draw.text((x, yy + big.size[1] + 4), name, fill=(0, 0, 0), font=font)
            draw.text((x, yy + big.size[1] + 17), desc[:30] + ("..." if len(desc) > 30 else ""),
                      fill=(90, 90, 90), font=font)
        y += ((len(items) + per_row - 1) // per_row) * cell_h
    y += 10
    for row in pic_rows:
        x = 10
        for img, label in row:
            draw.text((x, y), label, fill=(0, 0, 0), font=title)
            paste(sheet, img, x, y + 20, LIGHT)
            x += img.size[0] + 20
        y += 30 + max(i.size[1] for i, _ in row)
    out = os.path.join(images, "contact_sheet.png")
    sheet.save(out)
    print(out)


if __name__ == "__main__":
    main()
