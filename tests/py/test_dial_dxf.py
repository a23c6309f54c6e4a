"""A whole dial exported as DXF, read back with ezdxf: every line drawn on the dial is in the
file with the marks of the style, and all of it lies on the dial's sheet (300 x 300 mm).

Run by CTest with the build folder as argument; it runs the C++ test that draws and exports
the dial (tests/model/TestDialDxf.cpp), then reads what it wrote.
"""
import os
import subprocess
import sys
import tempfile

from ezdxf import recover

SHEET = 300.0
TOLERANCE = 1e-6


def main(build):
    program = os.path.join(build, "bin", "tests_model")
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "dial.dxf")
        env = dict(os.environ, HORAVEL_DIAL_DXF=path)
        run = subprocess.run([program, "--gtest_filter=DialDxfExport.*"], env=env,
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout, run.stderr)
            return 1
        with open(path + ".count") as f:
            drawn = int(f.read())
        doc, auditor = recover.readfile(path)
        if auditor.has_errors:
            print("DXF errors:", [str(e) for e in auditor.errors])
            return 1

    entities = list(doc.modelspace())
    kinds = {}
    for e in entities:
        kinds[e.dxftype()] = kinds.get(e.dxftype(), 0) + 1
    lines = kinds.get("LINE", 0)
    polylines = kinds.get("POLYLINE", 0)
    failures = []
    # Every drawn line, plus the outline of the sheet.
    if lines + polylines != drawn + 1:
        failures.append(f"{lines} lines + {polylines} polylines for {drawn} drawn lines and the sheet")
    if kinds.get("CIRCLE", 0) != 2:
        failures.append(f"{kinds.get('CIRCLE', 0)} circles for the style's foot and centre")
    if lines < 50 or polylines < 50:
        failures.append(f"too few entities: {kinds}")

    def check(x, y, what):
        if not (-TOLERANCE <= x <= SHEET + TOLERANCE and -TOLERANCE <= y <= SHEET + TOLERANCE):
            failures.append(f"{what} off the sheet: ({x}, {y})")

    outline = None
    for e in entities:
        if e.dxftype() == "LINE":
            check(e.dxf.start.x, e.dxf.start.y, "line start")
            check(e.dxf.end.x, e.dxf.end.y, "line end")
        elif e.dxftype() == "POLYLINE":
            points = [(v.dxf.location.x, v.dxf.location.y) for v in e.vertices]
            if len(points) < 3:
                failures.append(f"polyline of {len(points)} points")
            for x, y in points:
                check(x, y, "vertex")
            if points == [(0, 0), (SHEET, 0), (SHEET, SHEET), (0, SHEET), (0, 0)]:
                outline = points
    if outline is None:
        failures.append("no sheet outline")

    for f in failures:
        print("FAIL:", f)
    print(f"{drawn} lines drawn; DXF entities: {kinds}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
