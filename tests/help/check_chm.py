#!/usr/bin/env python3
"""Checks the built help file VARLO.CHM as HTML Help reads it.

    check_chm.py VARLO.CHM HELP_SOURCE_DIR

Lists and extracts the file with libchm-bin (enum_chmLib, extract_chmLib) and
reads its internal files: the context map (#IVB, #STRINGS), the system data
(#SYSTEM), the window definition (#WINDOWS), the table of contents and the
index. The titles HTML Help shows are read in the code page of the file's
language, Shift-JIS (932) for Japanese (LCID 0x411).
"""
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

CHM = None
SOURCES = None

JAPANESE = 0x411
# F1; F1 on a menu item; F1 in the statistics window
CONTEXT_TOPICS = {100: "howtoplay.htm", 101: "menus.htm", 102: "statistics.htm"}
TOP_TITLES = ["遊び方", "ステージと得点", "成績とランキング", "メニューとキー", "音と MIDI キーボード", "統計と練習の記録"]
WINDOW_TITLE = "ヴァルロ ヘルプ"
NAV_WIDTH = 220
HHWIN_PARAM_NAV_WIDTH = 0x20


def sitemap_entries(text):
    """(Name, Local) of every entry of a table of contents or an index."""
    entries = []
    for obj in re.findall(r'<OBJECT type="text/sitemap">(.*?)</OBJECT>', text, re.S | re.I):
        params = dict(re.findall(r'<param name="(\w+)" value="([^"]*)">', obj, re.I))
        entries.append((params.get("Name"), params.get("Local")))
    return entries


def zero_terminated(data, offset):
    end = data.index(b"\0", offset)
    return data[offset:end]


class HelpFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        listing = subprocess.run(["enum_chmLib", CHM], check=True, capture_output=True, text=True).stdout
        # "   1     2751      132   normal file		/howtoplay.htm"
        cls.names = set(re.findall(r"\s(/\S+)$", listing, re.M))
        cls.folder = tempfile.TemporaryDirectory()
        subprocess.run(["extract_chmLib", CHM, cls.folder.name], check=True, capture_output=True)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def read(self, name):
        with open(os.path.join(self.folder.name, name), "rb") as f:
            return f.read()

    def contexts(self):
        """The context map: #IVB is the byte size of the pairs that follow, then
        (context number, offset of its topic's name in #STRINGS) pairs."""
        ivb = self.read("#IVB")
        (size,) = struct.unpack_from("<I", ivb)
        self.assertEqual(size, len(ivb) - 4, "#IVB size word")
        self.assertEqual(size % 8, 0, "#IVB holds whole pairs")
        strings = self.read("#STRINGS")
        pairs = struct.iter_unpack("<II", ivb[4:])
        return {context: zero_terminated(strings, offset).decode("ascii") for context, offset in pairs}

    def system_records(self):
        """#SYSTEM: a version word, then records of (code, length, data)."""
        data = self.read("#SYSTEM")
        records, pos = {}, 4
        while pos + 4 <= len(data):
            code, length = struct.unpack_from("<HH", data, pos)
            records[code] = data[pos + 4:pos + 4 + length]
            pos += 4 + length
        return records

    def test_contexts_open_the_how_to_play_and_menu_topics_by_relative_names(self):
        contexts = self.contexts()
        self.assertEqual(sorted(contexts), sorted(CONTEXT_TOPICS))
        build_folders = [os.path.dirname(os.path.abspath(CHM)), os.path.abspath(SOURCES)]
        for context, topic in contexts.items():
            with self.subTest(context=context, topic=topic):
                self.assertNotRegex(topic, r"^[A-Za-z]:", "drive letter")
                self.assertFalse(topic.startswith(("/", "\\")), "absolute path")
                for folder in build_folders:
                    self.assertNotIn(folder.lstrip("/"), topic, "build path")
                self.assertIn("/" + topic, self.names, "topic not in the help file")
                self.assertEqual(topic, CONTEXT_TOPICS[context])

    def test_table_of_contents_is_shift_jis_with_the_page_titles(self):
        system = self.system_records()
        toc_name = zero_terminated(system[0], 0).decode("ascii")  # code 0: contents file
        raw = self.read(toc_name)
        text = raw.decode("cp932")  # strict: a UTF-8 file fails here or below
        names = [name for name, _ in sitemap_entries(text)]
        for title in TOP_TITLES:
            self.assertIn(title, names)
        # Each top-level entry carries its page's own title.
        for name, local in sitemap_entries(text):
            if "#" not in local:
                page = self.read(local).decode("utf-8")
                self.assertIn("<title>%s</title>" % name, page)

    def test_every_page_and_anchor_of_contents_and_index_is_in_the_file(self):
        system = self.system_records()
        for code in (0, 1):  # contents file, index file
            name = zero_terminated(system[code], 0).decode("ascii")
            entries = sitemap_entries(self.read(name).decode("cp932"))
            self.assertGreater(len(entries), 4, name)
            for title, local in entries:
                with self.subTest(file=name, entry=title):
                    page, _, anchor = local.partition("#")
                    self.assertIn("/" + page, self.names)
                    if anchor:
                        self.assertIn('<a name="%s">' % anchor, self.read(page).decode("utf-8"))

    def test_language_is_japanese_in_system_data_and_header(self):
        system = self.system_records()
        (lcid,) = struct.unpack_from("<I", system[4])  # code 4 begins with the LCID
        self.assertEqual(lcid, JAPANESE)
        with open(CHM, "rb") as f:
            header = f.read(0x18)
        self.assertEqual(header[:4], b"ITSF")
        self.assertEqual(struct.unpack_from("<I", header, 0x14)[0], JAPANESE)
        self.assertEqual(system[3].rstrip(b"\0").decode("cp932"), WINDOW_TITLE)  # code 3: title
        self.assertEqual(system[2].rstrip(b"\0").decode("ascii"), "howtoplay.htm")  # default topic
        self.assertEqual(system[16].rstrip(b"\0").decode("cp932").split(",")[2], "128")  # code 16: font, Shift-JIS

    def test_window_has_its_title_and_navigation_pane_width(self):
        windows = self.read("#WINDOWS")
        count, entry_size = struct.unpack_from("<II", windows)
        self.assertEqual(count, 1)
        entry = windows[8:8 + entry_size]
        strings = self.read("#STRINGS")
        valid, = struct.unpack_from("<I", entry, 0x0C)
        caption, = struct.unpack_from("<I", entry, 0x14)
        nav_width, = struct.unpack_from("<I", entry, 0x4C)
        default_file, = struct.unpack_from("<I", entry, 0x68)
        self.assertEqual(zero_terminated(strings, caption).decode("cp932"), WINDOW_TITLE)
        self.assertTrue(valid & HHWIN_PARAM_NAV_WIDTH)
        self.assertEqual(nav_width, NAV_WIDTH)
        self.assertEqual(zero_terminated(strings, default_file).decode("ascii"), "howtoplay.htm")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_chm.py VARLO.CHM HELP_SOURCE_DIR")
    CHM, SOURCES = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
