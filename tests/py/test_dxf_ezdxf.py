#!/usr/bin/env python3
"""Reads the dial's DXF exports with an independent reader (python3-ezdxf): each golden
file of tests/data/dxf (the byte-for-byte output of the export, checked by tests_model)
must load, pass ezdxf's audit without errors and hold the expected entities, points and
extents."""
import glob
import os
import sys

try:
    import ezdxf
except ImportError:
    # The Debian interpreter carries python3-ezdxf; another python3 first on PATH may not.
    if sys.executable != '/usr/bin/python3' and os.path.exists('/usr/bin/python3'):
        os.execv('/usr/bin/python3', ['/usr/bin/python3'] + sys.argv)
    raise

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
DXF = os.path.join(ROOT, 'tests', 'data', 'dxf')

# File: (entities as (type, points), $EXTMIN, $EXTMAX).
EXPECTED = {
    'empty.dxf': ([], (0.0, 0.0), (0.0, 0.0)),
    'circle.dxf': ([('CIRCLE', [(12.5, -3.0, 1.5)])], (0.0, -4.5), (14.0, 0.0)),
    'line.dxf': ([('LINE', [(0.0, 0.0), (100.0, -25.5)]), ('LINE', [(-1.2, 0.7), (3.3, 160.1)])],
                 (-1.2, -25.5), (100.0, 160.1)),
    'polyline.dxf': ([('POLYLINE', [(1.0, 2.0), (3.0, 4.0), (-5.0, 6.0)]),
                      ('POLYLINE', [(0.0, 0.0), (160.0, 0.0), (160.0, 180.0), (0.0, 180.0), (0.0, 0.0)])],
                     (-5.0, 0.0), (160.0, 180.0)),
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def close(a, b):
    return len(a) == len(b) and all(abs(x - y) < 1e-9 for x, y in zip(a, b))


def points_of(entity):
    kind = entity.dxftype()
    if kind == 'CIRCLE':
        c = entity.dxf.center
        return [(c[0], c[1], entity.dxf.radius)]
    if kind == 'LINE':
        return [tuple(entity.dxf.start)[:2], tuple(entity.dxf.end)[:2]]
    return [tuple(v.dxf.location)[:2] for v in entity.vertices]


def main():
    names = sorted(os.path.basename(p) for p in glob.glob(os.path.join(DXF, '*.dxf')))
    check(names == sorted(EXPECTED), 'files %s, expected %s' % (names, sorted(EXPECTED)))
    for name in names:
        doc = ezdxf.readfile(os.path.join(DXF, name))
        auditor = doc.audit()
        check(not auditor.has_errors, '%s: audit errors %s' % (name, [e.message for e in auditor.errors]))
        if name not in EXPECTED:
            continue
        entities, extmin, extmax = EXPECTED[name]
        got = [(e.dxftype(), points_of(e)) for e in doc.modelspace()]
        check(len(got) == len(entities), '%s: %d entities, expected %d' % (name, len(got), len(entities)))
        for (kind, pts), (want_kind, want_pts) in zip(got, entities):
            check(kind == want_kind, '%s: %s where %s expected' % (name, kind, want_kind))
            check(len(pts) == len(want_pts) and all(close(p, w) for p, w in zip(pts, want_pts)),
                  '%s: %s points %s, expected %s' % (name, kind, pts, want_pts))
        check(close(tuple(doc.header['$EXTMIN'])[:2], extmin), '%s: $EXTMIN %s' % (name, doc.header['$EXTMIN']))
        check(close(tuple(doc.header['$EXTMAX'])[:2], extmax), '%s: $EXTMAX %s' % (name, doc.header['$EXTMAX']))
    for f in failures:
        print('FAIL:', f)
    if failures:
        sys.exit(1)
    print('%d DXF files read by ezdxf %s' % (len(names), ezdxf.__version__))


if __name__ == '__main__':
    main()
