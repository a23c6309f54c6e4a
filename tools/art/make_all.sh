#!/usr/bin/env bash
# Regenerates every picture in resources/images from the scripts of this folder.
# Needs the Debian packages gmt-gshhg-low, python3-netcdf4, python3-numpy, python3-pil,
# librsvg2-bin and fonts-dejavu-core (generators only; the build uses the committed PNGs).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
images="${1:-$here/../../resources/images}"
/usr/bin/python3 "$here/make_icons.py" "$images"
/usr/bin/python3 "$here/make_pictures.py" "$images"
/usr/bin/python3 "$here/make_map.py" "$images"
/usr/bin/python3 "$here/make_dialog_pictures.py" "$images"
/usr/bin/python3 "$here/make_contact_sheet.py" "$images"
