"""Full-text search in the compiled help files, as viewers on Linux (xCHM and
others built on chmlib) search them: python3-chm runs chmlib's search.

Environment: PROGRAM_DIR (the built help files), CHMCMD_WORK (chmcmd's own
output per language), HELP_SOURCE (data/help), INDEX_TOOL (chm-search-index)
and CHMCMD."""

import os
import re
import struct
import subprocess
import tempfile
import unittest

from chm import chmlib
from chm.chm import CHMFile

PROGRAM_DIR = os.environ["PROGRAM_DIR"]
CHMCMD_WORK = os.environ["CHMCMD_WORK"]
HELP_SOURCE = os.environ["HELP_SOURCE"]
INDEX_TOOL = os.environ["INDEX_TOOL"]
CHMCMD = os.environ["CHMCMD"]

CODE_PAGE = {"chs": "cp936", "cht": "cp950", "eng": "ascii"}
INLINE = "a|b|i|code|span|em|strong"


def visible_text(html):
    """The title and body text a reader sees, inline markup joined."""
    html = re.sub(r"<(style|script)\b.*?</\1>|<!--.*?-->", " ", html, flags=re.S | re.I)
    html = re.sub(r"</?(%s)\b[^>]*>" % INLINE, "", html, flags=re.I)
    text = re.sub(r"<[^>]*>", "\n", html)
    return text.replace("&gt;", ">").replace("&lt;", "<").replace("&amp;", "&")


def pages_with(lang, word):
    folder = os.path.join(HELP_SOURCE, lang)
    found = set()
    for name in os.listdir(folder):
        if name.endswith(".html"):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                text = visible_text(f.read())
            if word.isascii():
                if re.search(r"(?<![a-z0-9])" + re.escape(word), text, re.I):
                    found.add(name)
            elif word in text:
                found.add(name)
    return found


def open_help(path):
    help_file = CHMFile()
    if not help_file.LoadCHM(path.encode()):
        raise AssertionError("cannot open " + path)
    return help_file


def search(help_file, lang, word, whole=0, titles=0):
    _, hits = help_file.Search(word.encode(CODE_PAGE[lang]), whole, titles)
    return {url.decode() for url in hits.values()}


def objects(path):
    """Every object of a help file: path -> bytes."""
    handle = chmlib.chm_open(path.encode())
    found = {}

    def each(h, unit, _):
        size, data = chmlib.chm_retrieve_object(h, unit, 0, unit.length)
        found[unit.path.decode()] = data if size else b""
        return chmlib.CHM_ENUMERATOR_CONTINUE

    chmlib.chm_enumerate(handle, chmlib.CHM_ENUMERATE_ALL, each, None)
    chmlib.chm_close(handle)
    return found


class ChineseHelpSearch(unittest.TestCase):
    CASES = {
        # Words of one to eight characters; a run across inline markup
        # ("见<a>写频线与端口</a>"); Latin words in the Chinese text.
        "chs": ["信道", "频率", "读取", "信", "读取对讲机", "见写频线", "ctcss", "com"],
        "cht": ["信道", "頻率", "讀取", "讀", "讀取對講機", "ctcss"],
    }
    ABSENT = {"chs": ["卫星", "读取卫星"], "cht": ["衛星", "頻道"]}

    def test_words_find_the_pages_that_contain_them(self):
        for lang, words in self.CASES.items():
            help_file = open_help(os.path.join(PROGRAM_DIR, lang.capitalize() + "Help.CHM"))
            self.assertTrue(help_file.IsSearchable())
            for word in words:
                with self.subTest(lang=lang, word=word):
                    expected = pages_with(lang, word)
                    self.assertTrue(expected, "no page has " + word)
                    self.assertEqual(search(help_file, lang, word), expected)
                    if not word.isascii():
                        self.assertEqual(search(help_file, lang, word, whole=1), expected)

    def test_absent_words_find_nothing(self):
        for lang, words in self.ABSENT.items():
            help_file = open_help(os.path.join(PROGRAM_DIR, lang.capitalize() + "Help.CHM"))
            for word in words:
                with self.subTest(lang=lang, word=word):
                    self.assertEqual(pages_with(lang, word), set())
                    self.assertEqual(search(help_file, lang, word), set())

    def test_title_search_finds_the_page_titled(self):
        help_file = open_help(os.path.join(PROGRAM_DIR, "ChsHelp.CHM"))
        self.assertEqual(search(help_file, "chs", "读取对讲机", titles=1), {"read.html"})

    def test_index_names_the_help_language_and_code_page(self):
        # A viewer that finds no language in #SYSTEM takes the index's.
        for lang, lcid, code_page in (("chs", 0x804, 936), ("cht", 0x404, 950)):
            index = objects(os.path.join(PROGRAM_DIR, lang.capitalize() + "Help.CHM"))["/$FIftiMain"]
            self.assertEqual(struct.unpack_from("<II", index, 0x7A), (code_page, lcid))

    def test_everything_else_is_as_chmcmd_made_it(self):
        for lang in ("chs", "cht"):
            with self.subTest(lang=lang):
                made = objects(os.path.join(CHMCMD_WORK, lang, "help.chm"))
                final = objects(os.path.join(PROGRAM_DIR, lang.capitalize() + "Help.CHM"))
                self.assertEqual(set(final), set(made))
                for name in ("/#SYSTEM", "/#TOPICS", "/help.hhc", "/index.html"):
                    self.assertIn(name, final)
                changed = {n for n in made if made[n] != final[n]}
                self.assertEqual(changed, {"/$FIftiMain", "/#STRINGS"})
                # Only page titles changed, each in its own place.
                self.assertEqual(len(final["/#STRINGS"]), len(made["/#STRINGS"]))
                for name in (b"main", b"help.hhc", b"index.html"):
                    self.assertIn(b"\0" + name + b"\0", final["/#STRINGS"])

    def test_found_pages_are_listed_by_their_titles_in_the_code_page(self):
        for lang in ("chs", "cht"):
            help_file = open_help(os.path.join(PROGRAM_DIR, lang.capitalize() + "Help.CHM"))
            _, hits = help_file.Search(b"ctcss", 0, 0)
            self.assertTrue(hits)
            for title, url in hits.items():
                with self.subTest(lang=lang, page=url):
                    page = os.path.join(HELP_SOURCE, lang, url.decode())
                    with open(page, encoding="utf-8") as f:
                        expected = re.search(r"<title>(.*?)</title>", f.read()).group(1)
                    self.assertEqual(title.decode(CODE_PAGE[lang]), expected)

    def test_english_help_is_chmcmds_and_finds_english_words(self):
        with open(os.path.join(CHMCMD_WORK, "eng", "help.chm"), "rb") as f:
            made = f.read()
        path = os.path.join(PROGRAM_DIR, "EngHelp.CHM")
        with open(path, "rb") as f:
            self.assertEqual(f.read(), made)
        help_file = open_help(path)
        for word in ("channel", "frequency"):
            self.assertEqual(search(help_file, "eng", word), pages_with("eng", word))


PROJECT = """[OPTIONS]
Compiled file=t.chm
Default topic=a.html
Full-text search=Yes
Language=0x804 Chinese (PRC)
Title=t

[FILES]
a.html
b.html
"""


class IndexToolOnItsOwnPages(unittest.TestCase):
    """A small help built here: what is indexed and what is not."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        pages = {
            "a.html": "<html><head><title>标题甲</title>"
            "<style>p{font-family:\"宋体\"}</style><meta content=\"元数据\"></head><body>"
            "<!-- 注释 --><p title=\"属性\">&#20449;&#x9053;表格</p>"
            "<script>var s = '脚本';</script><td>左边</td><td>右边</td>"
            # U+20000 is not in GBK: it ends the run, the pieces around it stay.
            "<p>前面\U00020000后面</p></body></html>",
            "b.html": "<html><head><title>乙</title></head><body>"
            + "".join("<p>词%04d号</p>" % n for n in range(3000))  # a deep index
            + "</body></html>",
        }
        for name, html in pages.items():
            with open(os.path.join(cls.folder.name, name), "w", encoding="utf-8") as f:
                f.write(html)
        with open(os.path.join(cls.folder.name, "t.hhp"), "w", encoding="gbk") as f:
            f.write(PROJECT)
        subprocess.run([CHMCMD, "--no-html-scan", "t.hhp"], cwd=cls.folder.name, check=True,
                       stdout=subprocess.DEVNULL)
        cls.out = os.path.join(cls.folder.name, "out.chm")
        subprocess.run([INDEX_TOOL, os.path.join(cls.folder.name, "t.chm"), cls.out], check=True)
        cls.help = open_help(cls.out)

    @classmethod
    def tearDownClass(cls):
        cls.help.CloseCHM()
        cls.folder.cleanup()

    def test_only_visible_text_is_found(self):
        for word, expected in (
            ("信道表格", {"a.html"}),  # character references
            ("标题甲", {"a.html"}),
            ("左边", {"a.html"}),
            ("前面", {"a.html"}),
            ("后面", {"a.html"}),
            ("左边右边", set()),  # cells are apart
            ("宋体", set()),
            ("元数据", set()),
            ("注释", set()),
            ("属性", set()),
            ("脚本", set()),
        ):
            with self.subTest(word=word):
                self.assertEqual(search(self.help, "chs", word), expected)

    def test_words_in_every_part_of_a_deep_index_are_found(self):
        for n in (0, 1499, 2999):
            with self.subTest(n=n):
                self.assertEqual(search(self.help, "chs", "%04d" % n), {"b.html"})
        self.assertEqual(search(self.help, "chs", "号"), {"b.html"})
        self.assertEqual(search(self.help, "chs", "词"), {"b.html"})

    def test_an_unchanged_output_is_not_written_again(self):
        os.utime(self.out, ns=(1, 1))
        subprocess.run([INDEX_TOOL, os.path.join(self.folder.name, "t.chm"), self.out],
                       check=True)
        self.assertEqual(os.stat(self.out).st_mtime_ns, 1)


if __name__ == "__main__":
    unittest.main(verbosity=2)
