#!/usr/bin/python3
"""Golden archive bytes of a dial and of its drawing preferences (tests/data/dial/*.bin).

Built by hand from the stored layouts, field by field, without the program's code:
- prefs_schema11.bin: a CPrefs object alone: new-class tag 0xFFFF, schema 11, the class
  name, then its 33 fields as little-endian int32 in the stored order;
- dial_schema8.bin: a plain dial subclass "CTestDial" (schema 1) whose stored form is the
  class record of CCadran (schema 8) and the base fields: 19 values, the class record of
  CPrefs and its 33 fields, the particular dates (WORD count, DWORDs), and the frame list
  (WORD count, then each frame as an object: class tag of CObjetCadre, schema 3, then
  x, y, width, height, active, anchoring; the second frame refers back to the class).
Classes and objects share one index sequence from 1: CTestDial class 1, the dial object 2,
CCadran 3, CPrefs 4, CObjetCadre 5, the frames 6 and 7.
Run once from the source root: /usr/bin/python3 tests/tools/gen_dial_golden.py
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'dial')

# Stored order of the preferences, with a distinct value for each field.
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


def new_class(name, schema):
    return struct.pack('<HHH', 0xFFFF, schema, len(name)) + name.encode('ascii')


def i32(*values):
    return struct.pack('<%di' % len(values), *values)


def f64(*values):
    return struct.pack('<%dd' % len(values), *values)


def prefs_fields():
    return i32(*[v for _, v in PREFS])


def dial():
    b = new_class('CTestDial', 1)
    b += new_class('CCadran', 8)
    # styleHeight, styleTruncation, styleLimit, width, height
    b += i32(33, 1, 27, 160, 180)
    b += f64(47.25, -6.0333)                   # latitude, longitude
    b += i32(0, 5)                             # localSolarTime, typeCode
    b += f64(0.3, 1.5707963267948966, 0.8246680715673207)  # plane angles, latitudeRad
    b += i32(2024, 45, 35)                     # referenceYear, anchor percentages
    b += f64(1.5)                              # scale
    b += i32(0, 6, 19)                         # symmetricMargins, firstHour, lastHour
    b += new_class('CPrefs', 11) + prefs_fields()
    b += struct.pack('<H', 2) + struct.pack('<2I', 1507, 2512)
    b += struct.pack('<H', 2)
    b += new_class('CObjetCadre', 3) + i32(10, -20, 100, 50, 1, 2)
    b += struct.pack('<H', 0x8000 | 5) + i32(-60, 5, 40, 30, 0, 6)
    return b


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in [('prefs_schema11.bin', new_class('CPrefs', 11) + prefs_fields()),
                       ('dial_schema8.bin', dial())]:
        with open(os.path.join(OUT, name), 'wb') as f:
            f.write(data)
        print('%s: %d bytes' % (name, len(data)))


if __name__ == '__main__':
    main()
