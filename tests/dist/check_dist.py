#!/usr/bin/env python3
"""Builds the release package with tools/dist.sh and checks what is in it: exactly
VARLO.EXE, VARLO.CHM, README.txt, LICENSE and THIRD-PARTY-NOTICES.txt, the first
two as built (the program without its debugging information), the read-me in
both languages as Notepad reads it, our MIT licence and the notices of the
libraries linked into the program, and the version block of the packaged program;
SHA256SUMS beside the zip (ReleasePackage); and that two clean copies of this
tree, built and packaged in two folders at two times, give the same zip
(Reproducible, some minutes, which make dist runs).

    check_dist.py SOURCE_DIR WINDOWS_BUILD_DIR SCRATCH_DIR [TEST_CLASS]
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
# dist.sh finds the time to stamp by itself; the builds are makes of their own.
ENV = {name: value for name, value in os.environ.items()
       if name not in ("SOURCE_DATE_EPOCH", "MAKEFLAGS", "MFLAGS", "MAKELEVEL")}


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
        subprocess.run([os.path.join(SOURCE, "tools", "dist.sh"), BUILD, SCRATCH], check=True, env=ENV)
        cls.zip = zipfile.ZipFile(ZIP)

    def test_holds_exactly_the_program_its_help_the_read_me_and_the_licences(self):
        self.assertEqual(sorted(self.zip.namelist()),
                         ["LICENSE", "README.txt", "THIRD-PARTY-NOTICES.txt", "VARLO.CHM", "VARLO.EXE"])
        with open(os.path.join(BUILD, "bin", "VARLO.CHM"), "rb") as built:
            self.assertEqual(self.zip.read("VARLO.CHM"), built.read())
        stripped = os.path.join(SCRATCH, "VARLO.stripped")
        built = os.path.join(BUILD, "bin", "VARLO.EXE")
        committed = subprocess.run(["git", "-c", "safe.directory=*", "-C", SOURCE, "log", "-1", "--format=%ct"],
                                   check=True, capture_output=True, text=True).stdout.strip()
        # The packaged program carries the time of the commit, not of the link or of packaging.
        subprocess.run(["x86_64-w64-mingw32-strip", "--strip-debug", "-o", stripped, built], check=True,
                       env=dict(os.environ, SOURCE_DATE_EPOCH=committed))
        with open(stripped, "rb") as built:
            self.assertEqual(self.zip.read("VARLO.EXE"), built.read())

    def test_read_me_is_japanese_and_english_for_notepad(self):
        text = self.zip.read("README.txt")
        self.assertTrue(text.startswith(b"\xef\xbb\xbf"), "no byte order mark")
        self.assertNotIn(b"\n", text.replace(b"\r\n", b""), "a line end without CR")
        text = text.decode("utf-8")
        for words in ("ヴァルロ", "遊び方", "English", "VARLO.CHM", "VARLO.DAT", "F1", "F2",
                      "certutil -hashfile varlo-1.02-win64.zip SHA256"):
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

    def test_program_header_checksum_matches_its_bytes(self):
        exe = self.zip.read("VARLO.EXE")
        field = struct.unpack_from("<I", exe, 0x3C)[0] + 24 + 64  # CheckSum in the optional header
        total = 0
        for (word,) in struct.iter_unpack("<H", exe[:field] + bytes(4) + exe[field + 4:] + bytes(len(exe) % 2)):
            total = (total + word & 0xFFFF) + (total + word >> 16)
        self.assertEqual(struct.unpack_from("<I", exe, field)[0], total + len(exe))

    def test_sha256sums_checks_the_zip(self):
        checked = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=SCRATCH, check=True, capture_output=True, text=True)
        self.assertEqual(checked.stdout, "varlo-1.02-win64.zip: OK\n")


class Reproducible(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(SCRATCH, ignore_errors=True)

    def test_two_clean_trees_in_two_folders_give_the_same_package(self):
        packages = []
        for folder in ("one", "a-second-folder/with-a-longer-path"):
            tree = os.path.join(SCRATCH, folder)
            source, build = os.path.join(tree, "source"), os.path.join(tree, "build")
            shutil.copytree(SOURCE, source, ignore=lambda at, names: {".git", "build", "dist", "demo"} if at == SOURCE else [])
            for command in (["cmake", "-S", source, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                             "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(source, "cmake", "toolchain-mingw64.cmake")],
                            ["cmake", "--build", build, "--target", "varlo", "varlo_help", "-j2"],
                            [os.path.join(source, "tools", "dist.sh"), build, tree]):
                subprocess.run(command, check=True, stdout=subprocess.DEVNULL, env=ENV)
            with open(os.path.join(tree, os.path.basename(ZIP)), "rb") as package:
                packages.append(package.read())
        self.assertEqual(packages[0], packages[1])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)
