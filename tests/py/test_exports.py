#!/usr/bin/env python3
"""The program's metafiles and DXF exports read by independent readers.

Run by CTest with the build folder as argument. It runs the C++ tests that write the files
(the metafile context's small drawings in tests/platform/TestEmfDC.cpp, the view's EMF and
DXF file exports in tests/docview/TestExports.cpp) into a temporary folder, then:
- converts every metafile to SVG with libemf2svg (Debian's libemf2svg1, through ctypes) and
  checks the SVG: it parses, and the shapes, colours, texts and faces drawn are in it;
- reads the DXF export with python3-ezdxf: no audit error, the dial's lines and its sheet.
"""
import ctypes
import ctypes.util
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

try:
    import ezdxf
except ImportError:
    # The Debian interpreter carries python3-ezdxf; another python3 first on PATH may not.
    if sys.executable != '/usr/bin/python3' and os.path.exists('/usr/bin/python3'):
        os.execv('/usr/bin/python3', ['/usr/bin/python3'] + sys.argv)
    raise

SVG = '{http://www.w3.org/2000/svg}'
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


class Options(ctypes.Structure):
    _fields_ = [('nameSpace', ctypes.c_char_p), ('verbose', ctypes.c_bool), ('emfplus', ctypes.c_bool),
                ('svgDelimiter', ctypes.c_bool), ('imgHeight', ctypes.c_double), ('imgWidth', ctypes.c_double)]


LIB = ctypes.CDLL('libemf2svg.so.1')
LIBC = ctypes.CDLL(ctypes.util.find_library('c'))


def to_svg(path):
    data = open(path, 'rb').read()
    options = Options(b'', False, True, True, 0.0, 0.0)
    out = ctypes.c_void_p()
    length = ctypes.c_size_t()
    source = ctypes.create_string_buffer(data, len(data))
    ok = LIB.emf2svg(source, ctypes.c_size_t(len(data)), ctypes.byref(out), ctypes.byref(length),
                     ctypes.byref(options))
    text = ctypes.string_at(out, length.value).decode('utf-8') if out.value else ''
    if out.value:
        LIBC.free(out)
    if not ok or not text:
        failures.append(f'{os.path.basename(path)}: libemf2svg could not convert it')
        return None
    try:
        return ET.fromstring(text)
    except ET.ParseError as e:
        failures.append(f'{os.path.basename(path)}: the SVG does not parse: {e}')
        return None


def elements(root, tag):
    return list(root.iter(SVG + tag))


def run(program, test_filter, env_name, folder):
    env = dict(os.environ, **{env_name: folder})
    result = subprocess.run([program, f'--gtest_filter={test_filter}'], env=env, capture_output=True, text=True)
    if result.returncode != 0:
        print(result.stdout[-4000:], result.stderr[-4000:])
        failures.append(f'{os.path.basename(program)} {test_filter} failed')


def check_small_drawings(folder):
    root = to_svg(os.path.join(folder, 'empty.emf'))
    check(root is not None and root.tag == SVG + 'svg', 'empty.emf: no svg element')

    # libemf2svg 1.1 wants the file to reach past the description by its length again, so a
    # described picture is read here with its drawing after the header, as the exports write.
    root = to_svg(os.path.join(folder, 'described.emf'))
    check(root is not None and root.tag == SVG + 'svg', 'described.emf: no svg element')

    root = to_svg(os.path.join(folder, 'line.emf'))
    if root is not None:
        paths = elements(root, 'path')
        check(len(paths) == 1, f'line.emf: {len(paths)} paths')
        if paths:
            d = paths[0].get('d', '').replace(',', ' ').split()
            numbers = [float(v) for v in d if v not in ('M', 'L', 'Z')]
            check(numbers == [10.0, 20.0, 30.0, 40.0], f'line.emf: path {d}')
            check(paths[0].get('stroke', '').upper() == '#FF0000', f'line.emf: stroke {paths[0].get("stroke")}')

    root = to_svg(os.path.join(folder, 'text.emf'))
    if root is not None:
        texts = elements(root, 'text')
        check(len(texts) == 1, f'text.emf: {len(texts)} texts')
        if texts:
            t = texts[0]
            check((t.text or '') == 'A\u00e9', f'text.emf: text {t.text!r}')
            check(t.get('font-family') == 'Arial', f'text.emf: face {t.get("font-family")}')
            check(t.get('font-weight') == '700', f'text.emf: weight {t.get("font-weight")}')
            check(t.get('fill', '').upper() == '#0000FF', f'text.emf: colour {t.get("fill")}')
            check(t.get('text-anchor') == 'middle', f'text.emf: anchor {t.get("text-anchor")}')
            check(float(t.get('x')) == 100.0 and float(t.get('y')) == 50.0, f'text.emf: at {t.get("x")}, {t.get("y")}')

    root = to_svg(os.path.join(folder, 'fill_picture.emf'))
    if root is not None:
        fills = [r.get('fill', '').upper() for r in elements(root, 'rect')]
        check('#010203' in fills, f'fill_picture.emf: rectangles {fills}')
        images = elements(root, 'image')
        check(len(images) == 1, f'fill_picture.emf: {len(images)} images')
        if images:
            check(float(images[0].get('width')) == 4.0 and float(images[0].get('height')) == 2.0,
                  f'fill_picture.emf: image {images[0].attrib}')
            href = images[0].get('{http://www.w3.org/1999/xlink}href', '')
            check(href.startswith('data:image/png;base64,'), 'fill_picture.emf: the picture is not embedded')


def check_exports(folder):
    root = to_svg(os.path.join(folder, 'dial.emf'))
    if root is not None:
        strokes = elements(root, 'path') + elements(root, 'line') + elements(root, 'polyline')
        check(len(strokes) > 20, f'dial.emf: {len(strokes)} lines')
        check(len(elements(root, 'text')) > 5, 'dial.emf: the hour numbers are missing')

    doc = ezdxf.readfile(os.path.join(folder, 'dial.dxf'))
    auditor = doc.audit()
    check(not auditor.has_errors, f'dial.dxf: audit errors {[str(e) for e in auditor.errors]}')
    msp = doc.modelspace()
    lines = msp.query('LINE')
    polylines = msp.query('POLYLINE')
    check(len(lines) > 5, f'dial.dxf: {len(lines)} lines')
    # The sheet: a closed rectangle of the dial's 160 x 180 mm.
    sheets = [p for p in polylines
              if [(round(v.dxf.location.x, 4), round(v.dxf.location.y, 4)) for v in p.vertices]
              == [(0.0, 0.0), (160.0, 0.0), (160.0, 180.0), (0.0, 180.0), (0.0, 0.0)]]
    check(len(sheets) == 1, 'dial.dxf: the sheet outline is missing')
    for line in lines:
        for point in (line.dxf.start, line.dxf.end):
            check(-1e-6 <= point.x <= 160 + 1e-6 and -1e-6 <= point.y <= 180 + 1e-6,
                  f'dial.dxf: line point {point} off the sheet')


def main(build):
    binaries = os.path.join(build, 'bin')
    with tempfile.TemporaryDirectory() as folder:
        run(os.path.join(binaries, 'tests_platform'), 'EmfDC.GoldenBytesOfSmallDrawings', 'HORAVEL_EMF_DIR', folder)
        run(os.path.join(binaries, 'tests_docview'),
            'ExportTest.TheMetafileFileStartsAtTheDialsCorner:ExportTest.TheDxfFileHoldsTheDialsLinesAndSheet',
            'HORAVEL_EXPORT_DIR', folder)
        if not failures:
            check_small_drawings(folder)
            check_exports(folder)
    for f in failures:
        print('FAIL:', f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
