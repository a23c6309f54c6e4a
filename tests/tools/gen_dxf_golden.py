#!/usr/bin/python3
"""Golden DXF exports of the dial (tests/data/dxf/*.dxf), written from the format table:
every group code and value on a line of its own ending in CR LF; numbers with four decimals
after two blanks; a HEADER section with $EXTMIN and $EXTMAX only, then ENTITIES, then EOF.
The shapes are those recorded by tests/model/TestDialShapes.cpp (millimetres = tenths / 10);
the extents start at (1e-15, 1e-15) and widen over every exported point, circles by their
radius.
Run once from the source root: /usr/bin/python3 tests/tools/gen_dxf_golden.py
"""
import os

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'dxf')


def num(v):
    return '  %.4f' % v


def document(extents, entities):
    lines = ['  0', 'SECTION', '  2', 'HEADER',
             '  9', '$EXTMIN', ' 10', num(extents[0]), ' 20', num(extents[1]),
             '  9', '$EXTMAX', ' 10', num(extents[2]), ' 20', num(extents[3]),
             '  0', 'ENDSEC', '  0', 'SECTION', '  2', 'ENTITIES']
    lines += entities
    lines += ['  0', 'ENDSEC', '  0', 'EOF']
    return ''.join(line + '\r\n' for line in lines)


def line(x1, y1, x2, y2):
    return ['  0', 'LINE', ' 10', num(x1), ' 20', num(y1), ' 11', num(x2), ' 21', num(y2)]


def circle(x, y, r):
    return ['  0', 'CIRCLE', ' 10', num(x), ' 20', num(y), ' 40', num(r)]


def polyline(points):
    out = ['  0', 'POLYLINE']
    for x, y in points:
        out += ['  0', 'VERTEX', ' 10', num(x), ' 20', num(y)]
    return out + ['  0', 'SEQEND']


def extents(points):
    xs = [1e-15] + [p[0] for p in points]
    ys = [1e-15] + [p[1] for p in points]
    return (min(xs), min(ys), max(xs), max(ys))


FILES = {
    'empty.dxf': document(extents([]), []),
    # AddPointShape(125, -30, 15): centre (12.5, -3.0), radius 1.5.
    'circle.dxf': document(extents([(11.0, -4.5), (14.0, -1.5)]), circle(12.5, -3.0, 1.5)),
    # AddSegmentShape(0, 0, 1000, -255) and AddSegmentShape(-12, 7, 33, 1601).
    'line.dxf': document(extents([(0.0, 0.0), (100.0, -25.5), (-1.2, 0.7), (3.3, 160.1)]),
                         line(0.0, 0.0, 100.0, -25.5) + line(-1.2, 0.7, 3.3, 160.1)),
    # BeginShape(10, 20) with AddShapePoint(30, 40) and (-50, 60); a BeginShape(999, 999)
    # that got no second point (dropped); AddRectangleShape(0, 0, 1600, 1800).
    'polyline.dxf': document(
        extents([(1.0, 2.0), (3.0, 4.0), (-5.0, 6.0), (0.0, 0.0), (160.0, 180.0)]),
        polyline([(1.0, 2.0), (3.0, 4.0), (-5.0, 6.0)]) +
        polyline([(0.0, 0.0), (160.0, 0.0), (160.0, 180.0), (0.0, 180.0), (0.0, 0.0)])),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, text in FILES.items():
        with open(os.path.join(OUT, name), 'wb') as f:
            f.write(text.encode('ascii'))
        print(name)


if __name__ == '__main__':
    main()
