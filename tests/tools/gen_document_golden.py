#!/usr/bin/python3
"""Golden dial documents (tests/data/document/*.cds), built by hand from the stored layouts,
field by field, without the program's code.

A document is an object archive: each object is preceded by its class tag (0xFFFF, WORD
schema, WORD name length and the ASCII name the first time a class is met; 0x8000 | index
afterwards). Classes and objects share one index sequence from 1. Strings are counted
(one length byte, then Windows-1252 bytes).

- plane_dial.cds: the marker record (CDataBaseElement schema 7, latitude 999, longitude
  1001), a horizontal dial "CCadranHorizontal" (schema 1) stored with its parent's class record
  (CCadran, schema 8) and the base fields, its preferences (CPrefs, schema 11), two
  particular dates, a text frame (CObjetTexte 1 over CObjetCadre 3) and a picture frame
  (CObjetBitmap 1 holding a 2 x 2 BMP), then the current location.
- old_schemas_a.cds: location records of schema 6 (no region), a dial of schema 4 (no
  scale, no particular dates: the anniversary date stands for them), preferences of
  schema 9, frames whose base is stored as a rectangle with anchoring (CObjetCadre 2).
- old_schemas_b.cds: location records of schema 5 (80-byte name and country fields), a dial
  of schema 6, preferences of schema 10, a text frame whose base is schema 1 (rectangle and
  active flag only).
- old_format.cds: a document of the first versions: [location][dial], no marker; the
  location has schema 2 (80-byte fields, whole-hour zone, no flag); the dial reads as
  schema 0 with no class records inside (untagged preferences of schema 3) and carries its
  old tables (72 pairs, then 72 x 97 pairs).
Run once from the source root: /usr/bin/python3 tests/tools/gen_document_golden.py
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'document')


def new_class(name, schema):
    return struct.pack('<HHH', 0xFFFF, schema, len(name)) + name.encode('ascii')


def class_ref(index):
    return struct.pack('<H', 0x8000 | index)


def i32(*values):
    return struct.pack('<%di' % len(values), *values)


def u32(*values):
    return struct.pack('<%dI' % len(values), *values)


def f64(*values):
    return struct.pack('<%dd' % len(values), *values)


def cstr(text):
    data = text.encode('cp1252')
    assert len(data) < 255
    return bytes([len(data)]) + data


def fixed80(text):
    data = text.encode('cp1252')
    return data + b'\0' * (80 - len(data))


# Preferences in stored order (schema 11); the older schemas store a prefix (see prefs()).
PREFS = [
    ('halfHourLines', 0), ('quarterHourLines', 1), ('fiveMinuteLines', 1), ('diurnalArcs', 0),
    ('diurnalArcMode', 12), ('noonMark', 1), ('noonMarkType', 1), ('noonMarkShape', 2),
    ('noonMarkWithHourLine', 0), ('noonMarkPointer', 1), ('hourNumbers', 0), ('hours24', 1),
    ('romanNumerals', 0), ('styleMarking', 0), ('indications', 1), ('anniversaryDate', 1),
    ('anniversaryDay', 23), ('anniversaryMonth', 9), ('sunAboveHorizon', 1), ('axesXY', 1),
    ('extendHourLines', 1), ('substyleLine', 1), ('steepestSlopeLine', 1), ('hourLines', 0),
    ('horizontalLines', 1), ('italicHours', 1), ('babylonianHours', 1), ('temporaryHours', 1),
    ('azimuthStep', 30), ('altitudeStep', 5), ('diurnalArcLabels', 0), ('doubleFrame', 0),
    ('frameThickness', 7),
]
P = dict(PREFS)


def prefs(schema):
    names = ['halfHourLines', 'quarterHourLines']
    if schema >= 2:
        names.append('fiveMinuteLines')
    names.append('diurnalArcs')
    if schema > 3:
        names.append('diurnalArcMode')
    names += ['noonMark', 'noonMarkType', 'noonMarkShape', 'noonMarkWithHourLine']
    if schema > 3:
        names.append('noonMarkPointer')
    names += ['hourNumbers', 'hours24', 'romanNumerals', 'styleMarking', 'indications']
    if schema > 2:
        names += ['anniversaryDate', 'anniversaryDay', 'anniversaryMonth']
    if schema > 4:
        names.append('sunAboveHorizon')
    if schema > 5:
        names.append('axesXY')
    if schema > 6:
        names.append('extendHourLines')
    if schema > 7:
        names += ['substyleLine', 'steepestSlopeLine']
    if schema > 8:
        names += ['hourLines', 'horizontalLines', 'italicHours', 'babylonianHours', 'temporaryHours',
                  'azimuthStep', 'altitudeStep']
    if schema > 9:
        names.append('diurnalArcLabels')
    if schema > 10:
        names += ['doubleFrame', 'frameThickness']
    return i32(*[P[n] for n in names])


def location7(name, region, country, lat, lon, zone, standard):
    return cstr(name) + cstr(region) + cstr(country) + f64(lat, lon, zone) + i32(standard)


def location6(name, country, lat, lon, zone, standard):
    return cstr(name) + cstr(country) + f64(lat, lon, zone) + i32(standard)


def location5(name, country, lat, lon, zone, standard):
    return fixed80(name) + fixed80(country) + f64(lat, lon, zone) + i32(standard)


def location2(name, country, lat, lon, zone_hours):
    return fixed80(name) + fixed80(country) + f64(lat, lon) + i32(zone_hours)


# A 2 x 2 24-bit bitmap: blue, green / red, white (bottom-up rows padded to 4 bytes).
def tiny_bmp():
    rows = bytes([0, 0, 255, 255, 255, 255, 0, 0]) + bytes([255, 0, 0, 0, 255, 0, 0, 0])
    info = struct.pack('<IiiHHIIiiII', 40, 2, 2, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = b'BM' + struct.pack('<IHHI', 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + rows


BMP = tiny_bmp()

# The first thirteen dial values: styleHeight, styleTruncation, styleLimit, width, height,
# latitude, longitude, localSolarTime, typeCode, planeAngle1, planeAngle2, latitudeRad,
# referenceYear.
DIAL_HEAD = i32(33, 1, 27, 160, 180) + f64(47.25, -6.0333) + i32(0, 1) + f64(0.0, 0.0, 0.8246680715673207) + i32(2024)

TEXT = 'Cadran de Besançon'


def text_fields():
    # text, face, size, bold, italic, colour, strike-out, underline
    return cstr(TEXT) + cstr('Times New Roman') + i32(14, 1, 0) + u32(0x00336699) + i32(0, 1)


def picture_record():
    return i32(1, 1, len(BMP)) + BMP


def plane_dial():
    b = new_class('CDataBaseElement', 7)                      # 1
    b += location7('?', '', '?', 999.0, 1001.0, 0.0, 1)       # object 2: the marker
    b += new_class('CCadranHorizontal', 1)                       # 3, dial object 4
    b += new_class('CCadran', 8)                              # 5
    b += DIAL_HEAD + i32(45, 35) + f64(1.5) + i32(0, 6, 19)
    b += new_class('CPrefs', 11) + prefs(11)                  # 6
    b += struct.pack('<H', 2) + u32(1507, 2512)
    b += struct.pack('<H', 2)
    b += new_class('CObjetTexte', 1)                          # 7, text frame 8
    b += new_class('CObjetCadre', 3)                          # 9
    b += i32(10, -20, 100, 50, 0, 2) + text_fields()
    b += new_class('CObjetBitmap', 1)                         # 10, picture frame 11
    b += class_ref(9) + i32(-60, 5, 40, 30, 0, 6) + picture_record()
    b += class_ref(1)                                         # location object 12
    b += location7('BESANÇON', 'DOUBS', 'FRANCE', 47.25, -6.0333, 1.0, 1)
    return b


def old_schemas_a():
    b = new_class('CDataBaseElement', 6)
    b += location6('?', '?', 999.0, 1001.0, 0.0, 1)
    b += new_class('CCadranHorizontal', 1)
    b += new_class('CCadran', 4)
    b += DIAL_HEAD + i32(45, 35)                  # schema 4: no scale, margins, hours
    b += new_class('CPrefs', 9) + prefs(9)
    b += struct.pack('<H', 2)                     # schema 4: no particular dates; frames
    b += new_class('CObjetTexte', 1)
    b += new_class('CObjetCadre', 2)              # base stored as a rectangle and anchoring
    b += i32(10, -20, 110, 30, 1, 4) + text_fields()
    b += new_class('CObjetBitmap', 1)
    b += class_ref(9) + i32(-60, 5, -20, 35, 0, 3) + picture_record()
    b += class_ref(1) + location6('DIJON', 'FRANCE', 47.3167, -5.0167, 1.0, 0)
    return b


def old_schemas_b():
    b = new_class('CDataBaseElement', 5)
    b += location5('?', '?', 999.0, 1001.0, 0.0, 1)
    b += new_class('CCadranHorizontal', 1)
    b += new_class('CCadran', 6)
    b += DIAL_HEAD + i32(45, 35) + f64(2.0)       # schema 6: scale, particular dates
    b += new_class('CPrefs', 10) + prefs(10)
    b += struct.pack('<H', 1) + u32(1403)
    b += struct.pack('<H', 1)
    b += new_class('CObjetTexte', 1)
    b += new_class('CObjetCadre', 1)              # base stored as a rectangle and active
    b += i32(-30, -40, 70, 10, 1) + text_fields()
    b += class_ref(1) + location5('LYON', 'FRANCE', 45.75, -4.85, 1.0, 1)
    return b


def old_format():
    b = new_class('CDataBaseElement', 2)
    b += location2('STRASBOURG', 'FRANCE', 48.5833, -7.75, 1)
    b += new_class('CCadranHorizontal', 1)           # no parent record, no schema used: 0
    b += DIAL_HEAD
    b += prefs(3)                                 # untagged preferences
    b += f64(*([0.25, -0.125] * 72))              # right ascension, declination by date
    b += f64(*([0.5, 0.75] * (72 * 97)))          # azimuth, altitude by date, 97 columns
    return b


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in [('plane_dial.cds', plane_dial()), ('old_schemas_a.cds', old_schemas_a()),
                       ('old_schemas_b.cds', old_schemas_b()), ('old_format.cds', old_format())]:
        with open(os.path.join(OUT, name), 'wb') as f:
            f.write(data)
        print('%s: %d bytes' % (name, len(data)))


if __name__ == '__main__':
    main()
