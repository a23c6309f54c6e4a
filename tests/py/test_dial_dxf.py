"""A whole dial exported as DXF in every diurnal-arc mode (0 to 14), read back with ezdxf:
every line drawn on the dial is in the file once, with the marks of the style, and all of it
lies on the dial's sheet (300 x 300 mm). A curve written twice would be cut twice.

Run by CTest with the build folder as argument; it runs the C++ test that draws and exports
the dials (tests/model/TestDialDxf.cpp), then reads what it wrote.
"""
import os
import subprocess
import sys
import tempfile

from ezdxf import recover

SHEET = 300.0
TOLERANCE = 1e-6
MODES = range(15)


def points_of(entity):
    kind = entity.dxftype()
    if kind == "LINE":
        return [(entity.dxf.start.x, entity.dxf.start.y), (entity.dxf.end.x, entity.dxf.end.y)]
    if kind == "CIRCLE":
        return [(entity.dxf.center.x, entity.dxf.center.y, entity.dxf.radius)]
    return [(v.dxf.location.x, v.dxf.location.y) for v in entity.vertices]


def check_file(path, drawn, failures):
    doc, auditor = recover.readfile(path)
    if auditor.has_errors:
        failures.append(f"DXF errors: {[str(e) for e in auditor.errors]}")
        return {}

    entities = list(doc.modelspace())
    kinds = {}
    for e in entities:
        kinds[e.dxftype()] = kinds.get(e.dxftype(), 0) + 1
    lines = kinds.get("LINE", 0)
    polylines = kinds.get("POLYLINE", 0)
    # Every drawn line, plus the outline of the sheet.
    if lines + polylines != drawn + 1:
        failures.append(f"{lines} lines + {polylines} polylines for {drawn} drawn lines and the sheet")
    if kinds.get("CIRCLE", 0) != 2:
        failures.append(f"{kinds.get('CIRCLE', 0)} circles for the style's foot and centre")
    if lines < 50 or polylines < 20:
        failures.append(f"too few entities: {kinds}")

    def check(x, y, what):
        if not (-TOLERANCE <= x <= SHEET + TOLERANCE and -TOLERANCE <= y <= SHEET + TOLERANCE):
            failures.append(f"{what} off the sheet: ({x}, {y})")

    outline = None
    seen = {}
    for e in entities:
        points = points_of(e)
        # The same kind through the same points, in either direction, is the same cut.
        key = (e.dxftype(), min(tuple(points), tuple(reversed(points))))
        seen[key] = seen.get(key, 0) + 1
        if e.dxftype() == "LINE":
            check(*points[0], "line start")
            check(*points[1], "line end")
        elif e.dxftype() == "POLYLINE":
            if len(points) < 3:
                failures.append(f"polyline of {len(points)} points")
            for x, y in points:
                check(x, y, "vertex")
            if points == [(0, 0), (SHEET, 0), (SHEET, SHEET), (0, SHEET), (0, 0)]:
                outline = points
    if outline is None:
        failures.append("no sheet outline")
    duplicates = sum(n - 1 for n in seen.values())
    if duplicates:
        failures.append(f"{duplicates} entities repeat another")
    return kinds


def main(build):
    program = os.path.join(build, "bin", "tests_model")
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, HORAVEL_DIAL_DXF_DIR=folder)
        run = subprocess.run([program, "--gtest_filter=DialDxfExport.*"], env=env,
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        for mode in MODES:
            path = os.path.join(folder, f"dial-{mode}.dxf")
            with open(path + ".count") as f:
                drawn = int(f.read())
            found = []
            kinds = check_file(path, drawn, found)
            failures += [f"mode {mode}: {f}" for f in found]
            print(f"mode {mode}: {drawn} lines drawn; DXF entities: {kinds}")

    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
