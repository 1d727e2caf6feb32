#!/usr/bin/env python3
"""Prints the link time stamped in the header of a Windows program (seconds since 1970)."""
import struct
import sys

with open(sys.argv[1], "rb") as program:
    data = program.read(4096)
header = struct.unpack_from("<I", data, 0x3C)[0]  # where the PE header starts
if data[header:header + 4] != b"PE\0\0":
    sys.exit(sys.argv[1] + ": not a Windows program")
print(struct.unpack_from("<I", data, header + 8)[0])
