#!/usr/bin/env python3
"""Builds the standard locations file LIEUX.DBL shipped beside the program.

Sources, all independent of this program:
  - the tz database installed with the system (zone.tab: one principal city per time zone
    with its coordinates; iso3166.tab: the country names; the compiled zone files: the
    current standard offset from the rule string at the end of each file);
  - french_towns.tsv beside this script: French towns entered by hand from their known
    coordinates (town centres).

Output: a version-6 file exactly as the program writes it (UTF-8, "\n" line ends).
    python3 tools/locations/make_lieux.py [--zoneinfo /usr/share/zoneinfo] [-o resources/data/LIEUX.DBL]
"""
import argparse
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

# The zones a location may carry (hours east of Greenwich); places whose standard offset is
# not among them (such as +8:45, +10:30 or +14) are left out.
ALLOWED_ZONES = [-11, -10, -9.5, -9, -8, -7, -6, -5, -4, -3.5, -3, -2, -1, 0, 1, 2, 3, 3.5, 4,
                 4.5, 5, 5.5, 5.75, 6, 6.5, 7, 8, 9, 9.5, 10, 11, 11.5, 12, 12.75, 13]

SEPARATORS = " ,;:!/%*_#"

# Zone-file names that are not the usual name of the place they stand for.
CITY_NAMES = {
    "America/Bahia": "SALVADOR",
    "America/Noronha": "FERNANDO DE NORONHA",
    "America/St_Johns": "ST. JOHN'S",
    "America/Sao_Paulo": "SÃO PAULO",
    "America/Bogota": "BOGOTÁ",
    "America/Asuncion": "ASUNCIÓN",
    "America/Belem": "BELÉM",
    "America/Maceio": "MACEIÓ",
    "America/Araguaina": "ARAGUAÍNA",
    "America/Cuiaba": "CUIABÁ",
    "America/Santarem": "SANTARÉM",
    "America/Eirunepe": "EIRUNEPÉ",
    "America/Merida": "MÉRIDA",
    "America/Cancun": "CANCÚN",
    "America/Mazatlan": "MAZATLÁN",
    "America/Ciudad_Juarez": "CIUDAD JUÁREZ",
    "America/Bahia_Banderas": "BAHÍA DE BANDERAS",
    "America/Curacao": "CURAÇAO",
    "America/Argentina/Cordoba": "CÓRDOBA",
    "America/Argentina/Tucuman": "SAN MIGUEL DE TUCUMÁN",
    "Pacific/Easter": "EASTER ISLAND",
    "Antarctica/DumontDUrville": "DUMONT D'URVILLE",
    "Europe/Zurich": "ZÜRICH",
    "Europe/Busingen": "BÜSINGEN",
    "Atlantic/Reykjavik": "REYKJAVÍK",
}

# iso3166.tab names that read badly once upper-cased.
COUNTRY_NAMES = {
    "GB": "UNITED KINGDOM",
}


def upper(text):
    return unicodedata.normalize("NFC", text).upper()


def check_text(text, what):
    bad = [c for c in text if c in SEPARATORS.replace(" ", "")]
    if bad or "$" in text or not text.strip():
        sys.exit(f"{what} {text!r} cannot be written in a locations file")
    return text


def parse_iso6709(text):
    """'+4852+00220' or '+404251-0740023' -> (latitude, longitude east positive), degrees."""
    m = re.fullmatch(r"([+-])(\d{2})(\d{2})(\d{2})?([+-])(\d{3})(\d{2})(\d{2})?", text)
    if not m:
        raise ValueError(text)

    def value(sign, d, mi, s):
        v = int(d) + int(mi) / 60 + (int(s) if s else 0) / 3600
        return -v if sign == "-" else v

    return value(*m.group(1, 2, 3, 4)), value(*m.group(5, 6, 7, 8))


def parse_offset(text):
    """POSIX TZ offset 'h[:mm[:ss]]' (west positive) -> hours east of Greenwich."""
    m = re.fullmatch(r"([+-]?)(\d+)(?::(\d+))?(?::(\d+))?", text)
    if not m:
        raise ValueError(text)
    hours = int(m.group(2)) + int(m.group(3) or 0) / 60 + int(m.group(4) or 0) / 3600
    return hours if m.group(1) == "-" else -hours


def standard_offset(zone_file):
    """Standard offset in hours east, from the rule string that ends a version 2+ zone file.

    Where the two offsets of the rule differ, the smaller is standard time (this also
    covers zones written with a negative daylight saving, whose 'standard' name is summer).
    """
    with open(zone_file, "rb") as f:
        data = f.read()
    if not data.startswith(b"TZif") or data[4:5] < b"2":
        raise ValueError(f"{zone_file}: not a version 2+ zone file")
    footer = data.rstrip(b"\n").rsplit(b"\n", 1)[-1].decode("ascii")
    spec = footer.split(",")[0]
    m = re.fullmatch(r"(<[^>]+>|[A-Za-z]{3,})([+-]?[\d:]+)(<[^>]+>|[A-Za-z]{3,})?([+-]?[\d:]+)?",
                     spec)
    if not m:
        raise ValueError(f"{zone_file}: rule {footer!r}")
    std = parse_offset(m.group(2))
    if not m.group(3):
        return std
    # A daylight-saving time is named: its offset defaults to one hour more.
    dst = parse_offset(m.group(4)) if m.group(4) else std + 1
    return min(std, dst)


def format_number(x):
    """The program's general number text: '%i' for whole values, else '%.4g'."""
    i = int(x)
    if abs(x - i) < 0.00001:
        return str(i)
    return "%.4g" % x


def deg_min(value):
    """|value| as whole degrees and whole minutes (rounded to the nearest minute)."""
    minutes = round(abs(value) * 60)
    return minutes // 60, minutes % 60


def record_line(name, region, country, lat, lon_west, zone):
    def field(t):
        return t.replace(" ", "$") if t else "?"

    ld, lm = deg_min(lat)
    od, om = deg_min(lon_west)
    return (f"{field(name)} {field(region)} {field(country)} {ld} {lm} "
            f"{'N' if lat >= 0 else 'S'} {od} {om} {'W' if lon_west >= 0 else 'E'} "
            f"{format_number(zone)} 1")


def read_tab(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            yield line.rstrip("\n").split("\t")


def parse_dms(text):
    d, m, s, side = text.split()
    v = int(d) + int(m) / 60 + int(s) / 3600
    return -v if side in "SW" else v


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--zoneinfo", default="/usr/share/zoneinfo")
    ap.add_argument("-o", "--output", default=os.path.join(ROOT, "resources", "data", "LIEUX.DBL"))
    args = ap.parse_args()

    countries = {code: COUNTRY_NAMES.get(code, upper(name))
                 for code, name in read_tab(os.path.join(args.zoneinfo, "iso3166.tab"))}

    records = {}  # (name, country) -> (region, lat, lon west positive, zone)
    skipped = []
    for fields in read_tab(os.path.join(args.zoneinfo, "zone.tab")):
        code, coords, zone_name = fields[:3]
        lat, lon_east = parse_iso6709(coords)
        zone = standard_offset(os.path.join(args.zoneinfo, zone_name))
        if zone not in ALLOWED_ZONES:
            skipped.append(f"{zone_name} ({zone:+g} h)")
            continue
        city = CITY_NAMES.get(zone_name) or upper(zone_name.rsplit("/", 1)[-1].replace("_", " "))
        records[(city, countries[code])] = ("", lat, -lon_east, zone)

    paris_zone = standard_offset(os.path.join(args.zoneinfo, "Europe/Paris"))
    for fields in read_tab(os.path.join(HERE, "french_towns.tsv")):
        name, dept, lat_text, lon_text = fields
        # Hand-entered towns replace a zone city of the same name (better coordinates).
        records[(upper(name), "FRANCE")] = (dept, parse_dms(lat_text), -parse_dms(lon_text),
                                            paris_zone)

    names = [n for n, _ in records]
    dupes = {n for n in names if names.count(n) > 1}
    if dupes:
        sys.exit(f"names used twice: {sorted(dupes)}")

    def sort_key(item):
        (name, country), _ = item
        fold = lambda t: unicodedata.normalize("NFD", t).encode("ascii", "ignore").decode()
        return fold(country), fold(name)

    lines = ["$VERSION 6", f"$NBRECORDS {len(records)}"]
    for (name, country), (region, lat, lon_west, zone) in sorted(records.items(), key=sort_key):
        check_text(name, "name")
        check_text(country, "country")
        if region:
            check_text(region, "region")
        lines.append(record_line(name, region, country, lat, lon_west, zone))
    lines.append("$END")
    with open(args.output, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print(f"{len(records)} places written to {args.output}")
    if skipped:
        print("left out (zone not offered): " + ", ".join(skipped))


if __name__ == "__main__":
    main()
