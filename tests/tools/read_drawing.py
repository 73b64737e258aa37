"""Usage: read_drawing.py HALVEX_CONVERT INPUT POINTS. Exports INPUT with cass-dxf and reads the
drawing back with ezdxf, which refuses a whole file for one value it cannot read."""

import subprocess
import sys
import tempfile

import ezdxf

convert, source, expected = sys.argv[1], sys.argv[2], int(sys.argv[3])
with tempfile.TemporaryDirectory() as folder:
    drawing = f"{folder}/points.dxf"
    run = subprocess.run([convert, "cass-dxf", source, "-o", drawing],
                         capture_output=True, text=True, check=False)
    if run.returncode != 0 or not run.stderr.startswith(f"Successfully transformed {expected} points\n"):
        sys.exit(f"halvex-convert exited {run.returncode}: {run.stderr}")
    points = [e for e in ezdxf.readfile(drawing).modelspace() if e.dxftype() == "POINT"]
if len(points) != expected:
    sys.exit(f"the reader found {len(points)} points, not {expected}")
print(run.stderr, end="")
