#!/usr/bin/env python3
"""Builds the release package with tools/dist.sh and checks what is in it: exactly
VARLO.EXE, VARLO.CHM, README.txt, LICENSE and THIRD-PARTY-NOTICES.txt, the first
two as built (the program without its debugging information), the read-me in
both languages as Notepad reads it, our MIT licence and the notices of the
libraries linked into the program, and the version block of the packaged program.

    check_dist.py SOURCE_DIR WINDOWS_BUILD_DIR SCRATCH_DIR
"""
import os
import shutil
import struct
import subprocess
import sys
import unittest
import zipfile

SOURCE, BUILD, SCRATCH = sys.argv[1:4]
ZIP = os.path.join(SCRATCH, "varlo-1.02-win64.zip")


def version_block(exe):
    """The VS_VERSIONINFO tree of a program as {path: value}: the fixed part
    under "fixed" and each string under its key."""
    start = exe.find("VS_VERSION_INFO".encode("utf-16-le")) - 6
    assert start >= 0, "no version block"
    found = {}

    def node(offset, path):
        length, value_length, kind = struct.unpack_from("<HHH", exe, offset)
        key_end = offset + 6
        while exe[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = exe[offset + 6:key_end].decode("utf-16-le")
        value = (key_end + 2 + 3) & ~3
        if key == "VS_VERSION_INFO":
            signature, _, fms, fls, pms, pls = struct.unpack_from("<6I", exe, value)
            assert signature == 0xFEEF04BD
            found["fixed"] = (fms >> 16, fms & 0xFFFF, fls >> 16, fls & 0xFFFF, pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF)
        elif kind == 1 and value_length:
            found[path + key] = exe[value:value + 2 * value_length].decode("utf-16-le").rstrip("\0")
        child = (value + (value_length * (2 if kind == 1 else 1)) + 3) & ~3
        while child < offset + length:
            child_length = struct.unpack_from("<H", exe, child)[0]
            if child_length == 0:
                break
            node(child, path + key + "/")
            child = (child + child_length + 3) & ~3

    node(start, "")
    return found


class ReleasePackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(SCRATCH, ignore_errors=True)
        subprocess.run([os.path.join(SOURCE, "tools", "dist.sh"), BUILD, SCRATCH], check=True)
        cls.zip = zipfile.ZipFile(ZIP)

    def test_holds_exactly_the_program_its_help_the_read_me_and_the_licences(self):
        self.assertEqual(sorted(self.zip.namelist()),
                         ["LICENSE", "README.txt", "THIRD-PARTY-NOTICES.txt", "VARLO.CHM", "VARLO.EXE"])
        with open(os.path.join(BUILD, "bin", "VARLO.CHM"), "rb") as built:
            self.assertEqual(self.zip.read("VARLO.CHM"), built.read())
        stripped = os.path.join(SCRATCH, "VARLO.stripped")
        built = os.path.join(BUILD, "bin", "VARLO.EXE")
        linked = subprocess.run([sys.executable, os.path.join(SOURCE, "tools", "pe_timestamp.py"), built],
                                check=True, capture_output=True, text=True).stdout.strip()
        # The packaged program keeps the time it was linked at, not the time of packaging.
        subprocess.run(["x86_64-w64-mingw32-strip", "--strip-debug", "-o", stripped, built], check=True,
                       env=dict(os.environ, SOURCE_DATE_EPOCH=linked))
        with open(stripped, "rb") as built:
            self.assertEqual(self.zip.read("VARLO.EXE"), built.read())

    def test_read_me_is_japanese_and_english_for_notepad(self):
        text = self.zip.read("README.txt")
        self.assertTrue(text.startswith(b"\xef\xbb\xbf"), "no byte order mark")
        self.assertNotIn(b"\n", text.replace(b"\r\n", b""), "a line end without CR")
        text = text.decode("utf-8")
        for words in ("ヴァルロ", "遊び方", "English", "VARLO.CHM", "VARLO.DAT", "F1", "F2"):
            self.assertIn(words, text)

    def test_licence_is_mit_and_the_notices_cover_what_the_program_links(self):
        licence = self.zip.read("LICENSE").decode("ascii")
        notices = self.zip.read("THIRD-PARTY-NOTICES.txt").decode("ascii")
        for text in (licence, notices):
            self.assertNotIn("\n", text.replace("\r\n", ""), "a line end without CR")
        self.assertTrue(licence.startswith("MIT License\r\n\r\nCopyright (c) 2026 Varlo Team\r\n"))
        for words in ("zlib", "Jean-loup Gailly and Mark Adler", "mingw-w64 project", "winpthreads",
                      "libstdc++", "GCC RUNTIME LIBRARY EXCEPTION"):
            self.assertIn(words, notices)

    def test_packaged_program_is_version_one_point_oh_two(self):
        info = version_block(self.zip.read("VARLO.EXE"))
        self.assertEqual(info["fixed"], (1, 0, 2, 0, 1, 0, 2, 0))
        strings = "VS_VERSION_INFO/StringFileInfo/041104B0/"
        self.assertEqual(info[strings + "FileDescription"], "音当てゲーム")
        self.assertEqual(info[strings + "ProductName"], "ヴァルロ")
        self.assertEqual(info[strings + "FileVersion"], "1.02")
        self.assertEqual(info[strings + "OriginalFilename"], "VARLO.EXE")

    def test_same_build_gives_the_same_package(self):
        with open(ZIP, "rb") as first:
            before = first.read()
        subprocess.run([os.path.join(SOURCE, "tools", "dist.sh"), BUILD, SCRATCH], check=True, stdout=subprocess.DEVNULL)
        with open(ZIP, "rb") as second:
            self.assertEqual(second.read(), before)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
