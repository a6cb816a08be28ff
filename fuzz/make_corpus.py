#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/: small files of every kind
and every input that once made a reader fail (kept so that it never comes back). The program's own
resources (cursors, the placeholder JPEG, the splash bitmap) are added by scripts/fuzz.sh."""
import os
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# Job files ---------------------------------------------------------------------------------------
def job(pages, current=0, count=None, end="\r\n"):
    lines = []
    add = lambda level, text: lines.append(" " * (10 * level) + str(text))
    for t in ["Name:", "Lumoria", "", "Version:", "1.0.0.0", "", "Number Of Pages:",
              len(pages) if count is None else count, "", "Actual Page Index", current, ""]:
        add(0, t)
    for i, (paper, photo, rect, frames) in enumerate(pages):
        p = "Page %d, " % i
        for t in [p + "Paper Type, Size:", paper, 210, 297, ""]:
            add(1, t)
        for t in [p + "Photo Type, Size, Personalized Size:", photo, 90, 120, 80, 60, ""]:
            add(1, t)
        for t in [p + "Paper, Dimensions In Millimeters (Left, Top, Right, Bottom):"] + list(rect) + [""]:
            add(1, t)
        for t in [p + "Number Of Photos:", len(frames), ""]:
            add(1, t)
        for j, f in enumerate(frames):
            add(2, p + "Photo %d, Dimensions In Millimeters (Left, Top, Right, Bottom), And FileName:" % j)
            for v in f:
                add(2, v)
            add(2, "")
    return (end.join(lines) + end).encode("utf-8")


a4 = (0, 3, (0, 0, 210, 297), [(15, 28, 105, 148, 1, "/fotos/a.jpg"), (105, 28, 195, 148, 2, "")])
write("job_file", "two_pages.pvo", job([a4, (2, 7, (0, 0, 100, 150), [(25, 50, 75, 120, 0, "/fotos/b.jpg")])], 1))
write("job_file", "no_final_blank_lines.pvo", job([a4]).rstrip(b" \r\n"))
write("job_file", "lf_only.pvo", job([a4], end="\n"))
write("job_file", "page_1_by_2147483647.pvo", job([(0, 3, (0, 0, 1, 2147483647), [])]))
write("job_file", "frame_over_the_whole_range.pvo",
      job([(0, 3, (0, 0, 210, 297), [(-2147483648, 10, 2147483647, 100, 0, "")])]))
write("job_file", "empty_frame_far_wider_than_the_page.pvo",
      job([(0, 3, (0, 0, 2, 297), [(90, 28, 640, 148, 1, ""), (594, 28, 195, 148, 2, "")])]))
write("job_file", "huge_frame_count.pvo", job([(0, 3, (0, 0, 210, 297), [])]).replace(b"\r\n          0\r\n          \r\n", b"\r\n          2147483647\r\n          \r\n", 1))


# Pictures ----------------------------------------------------------------------------------------
def bmp(width, height, bits, pixels, compression=0, colours=b""):
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels), 2835, 2835,
                       len(colours) // 4, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + colours + pixels


row = bytes([0, 0, 255] * 4 + [255, 0, 0] * 4)
write("bmp", "24bit_8x2.bmp", bmp(8, 2, 24, row + row))
grey = b"".join(struct.pack("<I", v * 0x010101) for v in range(256))
write("bmp", "rle8_8x2.bmp", bmp(8, 2, 8, b"\x08\x10\x00\x00\x04\x20\x04\x40\x00\x01", 1, grey))
write("bmp", "rle8_bomb_14000x14000.bmp", bmp(14000, 14000, 8, b"\xff\x01" * 8 + b"\x00\x01", 1, grey[:8]))


def gif(width, height, frame=(0, 0, 1, 1)):
    return (b"GIF89a" + struct.pack("<HH", width, height) + b"\x80\x00\x00" + b"\xff\xff\xff\x00\x00\x00"
            + b"\x2c" + struct.pack("<HHHH", *frame) + b"\x00" + b"\x02\x02\x44\x01\x00\x3b")


write("gif", "dot.gif", gif(1, 1))
write("gif", "screen_bomb_14000x14000.gif", gif(14000, 14000))


def icon(size, kind=1):
    xor = b"".join(struct.pack("<I", 0xff000000 | (x * 16 << 8)) for x in range(size)) * size
    mask = b"\x00" * (((size + 31) // 32) * 4 * size)
    dib = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0) + xor + mask
    hot = (size // 2, size // 2) if kind == 2 else (1, 32)
    return struct.pack("<HHH", 0, kind, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, hot[0], hot[1], len(dib),
                                                        22) + dib


write("ico", "16x16.ico", icon(16))
write("cursor", "16x16.cur", icon(16, 2))


def wmf(records, objects=0):
    body = b""
    largest = 3
    for function, params in records + [(0, [])]:
        words = 3 + len(params)
        largest = max(largest, words)
        body += struct.pack("<IH", words, function) + b"".join(struct.pack("<h", p) for p in params)
    return struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(body) // 2, objects, largest, 0) + body


window = [(0x020B, [0, 0]), (0x020C, [100, 100])]
red = [(0x02FC, [0, 255, 0, 0]), (0x012D, [0])]
write("wmf", "rectangle.wmf", wmf(window + red + [(0x041B, [80, 90, 10, 20])]))
clips = [(0x0415, [y + 1, x + 1, y, x]) for y in range(0, 40, 2) for x in range(0, 40, 2)]
write("wmf", "many_clip_records.wmf", wmf(window + clips + red + [(0x041B, [100, 100, 0, 0])]))
write("wmf", "many_saved_states.wmf", wmf(window + [(0x001E, [])] * 2000 + [(0x0127, [-1])]))


def emf(header_size=108, description=b"", extra=None):
    records = struct.pack("<II", 14, 20) + struct.pack("<III", 0, 16, 20)
    off = 108 if description else 0
    header = struct.pack("<II", 1, header_size) + struct.pack("<iiii", 0, 0, 99, 79) \
        + struct.pack("<iiii", 0, 0, 2645, 2090) + struct.pack("<II", 0x464D4520, 0x10000) \
        + struct.pack("<II", 0, 2) + struct.pack("<HH", 1, 0) + struct.pack("<II", len(description) // 2, off) \
        + struct.pack("<I", 0) + struct.pack("<ii", 1024, 768) + struct.pack("<ii", 270, 203) \
        + struct.pack("<III", 0, 0, 0) + struct.pack("<ii", 270000, 203000)
    data = header[:header_size] + description + records
    data = data[:48] + struct.pack("<I", len(data)) + data[52:]
    if extra:
        data = extra(data)
    return data


write("emf", "empty.emf", emf())
write("emf", "described.emf", emf(116, "abcd".encode("utf-16-le")))
write("emf", "header_shorter_than_a_header.emf", emf(80))
write("emf", "empty_description_placed_outside.emf",
      emf(extra=lambda d: d[:60] + struct.pack("<II", 0, 195) + d[68:]))
write("emf", "description_outside_the_header.emf",
      emf(extra=lambda d: d[:60] + struct.pack("<II", 400, 100) + d[68:]))

with tempfile.TemporaryDirectory() as tmp:
    ppm = os.path.join(tmp, "p.ppm")
    with open(ppm, "wb") as f:
        f.write(b"P6 8 8 255\n" + bytes([200, 30, 40] * 32 + [30, 50, 210] * 32))
    for name, options in [("baseline_8x8.jpg", []), ("progressive_8x8.jpg", ["-progressive"])]:
        out = subprocess.run(["cjpeg"] + options + [ppm], check=True, capture_output=True).stdout
        write("jpeg", name, out)
        if not options:
            # The same picture with the baseline one as the camera's small picture in its Exif block.
            ifd0 = struct.pack("<H", 0) + struct.pack("<I", 26)
            ifd1 = struct.pack("<H", 2) + struct.pack("<HHII", 0x0201, 4, 1, 26 + 2 + 24 + 4) \
                + struct.pack("<HHII", 0x0202, 4, 1, len(out)) + struct.pack("<I", 0)
            tiff = b"II*\x00" + struct.pack("<I", 8) + ifd0 + b"\x00" * (26 - 8 - len(ifd0)) + ifd1 + out
            app1 = b"Exif\x00\x00" + tiff
            write("exif", "camera_thumbnail.jpg", out[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + out[2:])
            # A photo turned a quarter clockwise (orientation 6), in Motorola byte order.
            turned = b"Exif\x00\x00" + b"MM\x00*" + struct.pack(">I", 8) + struct.pack(">H", 1) \
                + struct.pack(">HHIHH", 0x0112, 3, 1, 6, 0) + struct.pack(">I", 0)
            write("exif", "turned_clockwise.jpg", out[:2] + b"\xff\xe1" + struct.pack(">H", len(turned) + 2) + turned + out[2:])
        if options:
            bomb = bytearray(out)
            sof = bomb.find(b"\xff\xc2")
            bomb[sof + 5:sof + 9] = struct.pack(">HH", 14000, 14000)
            write("jpeg", "progressive_bomb_14000x14000.jpg", bytes(bomb))
    # Arithmetic-coded scans of a few bytes each, far past the scan limit: the last scan sent again
    # and again, as a decoder without the limit reads every one of them over every block.
    scans = os.path.join(tmp, "scans.txt")
    with open(scans, "w") as f:
        f.write("0: 0 0 0 0;\n0: 1 63 0 0;\n")
    out = subprocess.run(["cjpeg", "-grayscale", "-arithmetic", "-scans", scans, ppm], check=True,
                         capture_output=True).stdout
    last = out.rfind(b"\xff\xda")
    write("jpeg", "arithmetic_200_scans.jpg", out[:-2] + out[last:-2] * 198 + b"\xff\xd9")
