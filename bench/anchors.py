#!/usr/bin/python3
"""Anchors for the benchmark tables: well-known libraries doing comparable
work on the pages the benchmarks generate, timed in the same run.

  anchors.py edt PAGE.pam...     flatting by scipy's exact Euclidean distance
                                 transform: every line pixel (all planes 8 or
                                 less) takes the colour of its nearest pixel
                                 that is not line work
  anchors.py labels PAGE.pam...  OpenCV's 4-connected labelling of the pixels
                                 that are not line work (the mask made before
                                 timing)

Prints one line per page: the page's file name, processor seconds (the
better of two runs, as the benchmarks take the best of theirs), and a count
(line pixels, or labels). Single-threaded, as the passes are. Exits
with status 3 and a line "missing MODULE" when numpy, scipy or OpenCV is not
installed (Debian: python3-scipy, python3-opencv).
"""
import os
import sys
import time

RUNS = 2


def read_pam(numpy, path):
    with open(path, "rb") as file:
        header = {}
        while True:
            line = file.readline()
            if not line:
                raise ValueError(f"{path}: no ENDHDR in the PAM header")
            line = line.strip()
            if line == b"ENDHDR":
                break
            parts = line.split()
            if len(parts) >= 2:
                header[parts[0].decode()] = parts[1].decode()
        width, height, depth = (int(header[key]) for key in ("WIDTH", "HEIGHT", "DEPTH"))
        pixels = numpy.frombuffer(file.read(width * height * depth), dtype=numpy.uint8)
    return pixels.reshape(height, width, depth)


def main(arguments):
    if len(arguments) < 2 or arguments[0] not in ("edt", "labels"):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        import numpy
        import scipy.ndimage
        import cv2
    except ImportError as missing:
        print(f"missing {missing.name}")
        return 3
    cv2.setNumThreads(1)
    for path in arguments[1:]:
        pixels = read_pam(numpy, path)
        line = (pixels[:, :, :3] <= 8).all(axis=2)
        best = None
        for _ in range(RUNS):
            if arguments[0] == "edt":
                start = time.process_time()
                nearest = scipy.ndimage.distance_transform_edt(
                    line, return_distances=False, return_indices=True)
                flat = pixels[nearest[0], nearest[1]]
                seconds = time.process_time() - start
                count = int(line.sum())
                del nearest, flat
            else:
                mask = (~line).astype(numpy.uint8)
                start = time.process_time()
                count, labels = cv2.connectedComponents(mask, connectivity=4)
                seconds = time.process_time() - start
                del labels
            best = seconds if best is None else min(best, seconds)
        seconds = best
        print(f"{os.path.basename(path)}\t{seconds:.3f}\t{count}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
