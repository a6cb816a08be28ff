"""Writing the pictures that the drawing scripts make."""
import os
import subprocess


def write_jpeg(path, width, height, rgb, *cjpeg_options):
    """Writes width x height RGB bytes (rows top-down) as a JPEG through cjpeg (libjpeg-turbo-progs)."""
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    ppm = b"P6\n%d %d\n255\n" % (width, height) + bytes(rgb)
    with open(path, "wb") as out:
        subprocess.run(["cjpeg", *cjpeg_options], input=ppm, stdout=out, check=True)
