#!/usr/bin/env python3
"""Copies a help file written by Free Pascal's CHM writer with its time of
writing set to midnight, so that the same pages always give the same file.

    chm_time.py WRITTEN.CHM OUTPUT.CHM

The writer stores the time of day it wrote the file at (milliseconds since
midnight) twice, and no date: in the ITSF header (a big-endian DWORD at 0x10)
and as entry 10 of the internal file /#SYSTEM (a little-endian DWORD). /#SYSTEM
is found as a reader finds it: through the directory (the ITSP header, then
listing chunks "PMGL" of names with their section, offset and length) in
content section 0, where the writer stores it uncompressed.
"""
import struct
import sys


def encoded_integer(data, at):
    """A directory number: 7 bits a byte, the most significant first, the high
    bit set on every byte but the last. Returns it and the offset after it."""
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def system_file(chm):
    """Where /#SYSTEM starts in the file, and its length."""
    if chm[:4] != b"ITSF" or struct.unpack_from("<I", chm, 4)[0] != 3:
        raise ValueError("not an ITSF file of version 3")
    directory = struct.unpack_from("<Q", chm, 0x48)[0]
    content = struct.unpack_from("<Q", chm, 0x58)[0]  # content section 0
    if chm[directory:directory + 4] != b"ITSP":
        raise ValueError("no ITSP directory header")
    header_length, _, chunk_size = struct.unpack_from("<3I", chm, directory + 8)
    chunk = struct.unpack_from("<i", chm, directory + 0x20)[0]  # the first listing chunk
    while chunk != -1:
        start = directory + header_length + chunk * chunk_size
        if chm[start:start + 4] != b"PMGL":
            raise ValueError("directory chunk %d is not a listing chunk" % chunk)
        free_space, _, _, chunk = struct.unpack_from("<I3i", chm, start + 4)
        at = start + 20
        while at < start + chunk_size - free_space:
            length, at = encoded_integer(chm, at)
            name = chm[at:at + length]
            section, at = encoded_integer(chm, at + length)
            offset, at = encoded_integer(chm, at)
            size, at = encoded_integer(chm, at)
            if name == b"/#SYSTEM":
                if section != 0:
                    raise ValueError("/#SYSTEM is compressed")
                return content + offset, size
    raise ValueError("no /#SYSTEM in the directory")


def set_midnight(chm):
    struct.pack_into(">I", chm, 0x10, 0)
    start, size = system_file(chm)
    at = start + 4  # after the file's version: entries of code, length and data
    while at + 4 <= start + size:
        code, length = struct.unpack_from("<HH", chm, at)
        if code == 10:
            if length != 4:
                raise ValueError("/#SYSTEM entry 10 is %d bytes, not 4" % length)
            struct.pack_into("<I", chm, at + 4, 0)
            return
        at += 4 + length
    raise ValueError("/#SYSTEM has no entry 10")


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as written:
        data = bytearray(written.read())
    try:
        set_midnight(data)
    except (ValueError, struct.error, IndexError) as error:
        sys.exit("chm_time.py: %s: %s" % (sys.argv[1], error))
    with open(sys.argv[2], "wb") as output:
        output.write(data)
