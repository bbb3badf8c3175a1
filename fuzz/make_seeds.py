#!/usr/bin/env python3
"""Writes the hand-made seeds of the fuzz corpus (corpus/<target>/seed-*). Inputs that a fuzzing
run found and that were worth keeping sit beside them under other names; this leaves them alone.
Usage: fuzz/make_seeds.py"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
TEXTS = [(400, 20), (421, 10), (432, 10), (443, 10), (454, 20), (475, 10), (486, 20), (507, 10)]


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def record(rows=(), texts=("?", "0.5", "4", "6", "", "", "?", "0.5"), extra=b""):
    b = bytearray(520)
    for r, row in enumerate(rows):
        for c, w in enumerate(row):
            b[40 * r + 4 * c:40 * r + 4 * c + 4] = struct.pack("<f", w)
    for (at, room), t in zip(TEXTS, texts):
        t = t.encode("utf-8") if isinstance(t, str) else t
        b[at] = min(len(t), 255)
        b[at + 1:at + 1 + min(len(t), room)] = t[:room]
    return bytes(b) + extra


def records():
    example = ("Pine", "1/2", "4", "6", "Ply", "1/4", "Oak", "3/4")
    write("fuzz_record", "blank", record())
    write("fuzz_record", "zeros", bytes(520))
    write("fuzz_record", "short", bytes(100))
    write("fuzz_record", "example", record([[6, 6, 8], [12, 6]], example))
    write("fuzz_record", "example-thick",
          record([[6, 6, 8], [12, 6]], ("Pine", "3/4", "4 1/2", "6", "Ply", "1/4", "Oak", "3/4")))
    lengths = bytearray(record([[12, 12.5, 6]], example))
    for at, room in TEXTS:
        lengths[at] = 255
        for i in range(room):
            lengths[at + 1 + i] = ord("1") if i % 2 == 0 else ord(" ")
    write("fuzz_record", "lengths-255", bytes(lengths))
    write("fuzz_record", "all-ff", b"\xff" * 520)
    nan, inf = float("nan"), float("inf")
    write("fuzz_record", "nan-inf", record(
        [[nan, 4], [inf, 12], [-inf, 6], [3.4028234663852886e38, 3.4028234663852886e38],
         [-0.0, 1e-45, 1e-30], [3, -5], [0.75], [nan, -nan]], example))
    write("fuzz_record", "not-64ths",
          record([[12.1, 0.4999999, 100.0078125, 2.9999999], [0.0148, 10.0302]], example))
    write("fuzz_record", "huge-widths", record(
        [[8388000.5, 9000, 12], [1e30, 16777216, 262143.984375], [524287.96875, 0.015625]],
        example))
    write("fuzz_record", "hundred-bins", record([[12] * 10] * 10, example))
    write("fuzz_record", "bad-texts",
          record([[12, 6]], ("Pine", "abc", "1/0", "0", "Ply", " ", "Oak", "1 a/b")))
    write("fuzz_record", "required-zero", record([[12]], ("0", "0", "0", "0", "0", "0", "0", "0")))
    write("fuzz_record", "no-battens",
          record([[12]], ("Pine", "1/2", "4", "6", "  ", "", "", "")))
    write("fuzz_record", "utf8-texts",
          record([[12]], ("Épicéa\u00a0massif", "½", "4", "6", "Contre\u2011plaqué", "1/4",
                          "Chêne", "3/4")))
    write("fuzz_record", "long-edits", record(
        [[12, 6]], example,
        "\n".join(["4 1/2", "6", "Pine " * 6 + "é", "1/2", "Birch plywood, B/BB grade",
                   "1/4", "Oak" + "\u00e9" * 12, "3/4"]).encode("utf-8")))
    write("fuzz_record", "big-edits",
          record([[12]], example, b"1e30\n1e38\nM\n1e-30\nD\n1\nB\n1e38"))


def tapes():
    texts = ["12", "007", "12.5", "1 1/2", "1  1 / 2", "3/4", ".5", "5.", "2 4/8", "10/4",
             "3.0625", "3.015625", "2.50000001", "1.5 1/2", "1e1", "", "   ", "\t12\r\n", "0.0",
             "3 / 4", "1 a/b", "1 1/2 3/4", "1/2/3", "x/4", "-2.5", "-0.5", "-3", "-2 1/2",
             "-0 1/2", "3.0078125", "1.1", "12.3", "1 1/3", "abc", "1,5", "1/0", "0/0", "0.0148",
             "10.0302", "256.02", "1000.1", "10000.015625", "16777217", "1e38", "1e39", "-1e39",
             "1e400/1e400", "1e-50", "1e-400", "0x10", "+7", "1 -1/2", "1e99999999999999999999",
             ".", "-", "1e", "9" * 400]
    for i, t in enumerate(texts):
        write("fuzz_tape", "text-%02d" % i, t)
    floats = [12.5, 0.75, 0.015625, -1.5, -3, 12.1, 100.0078125, 2.9999999, 0.4999999,
              3.4028234663852886e38, 1e-45, 16777216]
    for i, f in enumerate(floats):
        write("fuzz_tape", "float-%02d" % i, struct.pack("<f", f))
    write("fuzz_tape", "float-nan", struct.pack("<I", 0x7FC00001))
    write("fuzz_tape", "float-inf", struct.pack("<f", math.inf))


def rows():
    texts = ["12, 12 1/2,, 6", "12.3, 12, 6", ",12", "12, , 6", "3/4, 1/2", "",
             "1,2,3,4,5,6,7,8,9,10,11", "1.1, 1 1/3, 2,,,", "12,abc,6", "12, 1/0", "12 ,,",
             ",,,,", " , , ", "\t12\n,\r6\x0b", "\u00a012,\u3000 6\u2029", "12\u2003,\u20056",
             "\u0085 12 \u0085", "12\u00a0", "\u202f,\u205f,\u1680", "12,\ufeff6",
             "1e30, 3e38, 3e38", "-5, 3, -0 1/2", "1 1/2, 1  1 / 2, 2 4/8, 10/4",
             "12.5,12.5,12.5,12.5,12.5,12.5,12.5,12.5,12.5,12.5,12.5,12.5"]
    for i, t in enumerate(texts):
        write("fuzz_row_text", "text-%02d" % i, t)
    write("fuzz_row_text", "bad-utf8", b"\xff12,\xc2,\xe2\x80,6\xc2")


def versions():
    sig = "A" * 86 + "=="
    files = {
        "newer": "1.0.3.12\nSetup.exe\n",
        "crlf": "4.26.0.1\r\nHollowmere Setup 4.26.exe\r\n",
        "cr": "4.26.0.1\rSetup.exe\r",
        "signed": "4.26.0.1\nSetup.exe\n" + sig + "\n",
        "signed-spaces": "4.26.0.1\nSetup.exe\n  " + sig + " \t\nmore\nlines\n",
        "one-line": "1.0.3.12\n",
        "empty": "",
        "three-fields": "1.0.3\nSetup.exe\n",
        "not-a-version": "Version unknown\nSetup.exe\n",
        "huge-field": "99999999999.0.0.0\nSetup.exe\n",
        "negative": "1.-10000.-5.0\nSetup.exe\n",
        "five-fields": "1.2.3.4.5\nSetup.exe\n",
        "spaces": " 1. 2 .3 .+4 \nSetup.exe\n",
        "parent": "9.0.0.0\n../Setup.exe\n",
        "backslash": "9.0.0.0\n..\\..\\Setup.exe\n",
        "absolute": "9.0.0.0\n/tmp/Setup.exe\n",
        "drive": "9.0.0.0\nC:Setup.exe\n",
        "dot": "9.0.0.0\n.\n",
        "control": "9.0.0.0\nSetup\x01.exe\n",
        "empty-name": "9.0.0.0\n\nsig\n",
        "bom": "\ufeff9.0.0.0\nSetup.exe\n",
        "unicode-name": "9.0.0.0\nInstalación\u202e.exe\n",
        "html": "<!DOCTYPE html>\n<html><body>Not found</body></html>\n",
    }
    for name, text in files.items():
        write("fuzz_version_info", name, text)
    write("fuzz_version_info", "bad-utf8", b"9.0.0.0\n\xffSetup\xc0\xaf.exe\n")
    write("fuzz_version_info", "nul", b"9.0.0.0\nSetup\x00.exe\n")


if __name__ == "__main__":
    records()
    tapes()
    rows()
    versions()
