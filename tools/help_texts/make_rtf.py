#!/usr/bin/env python3
"""Turns the help, history and authors texts (UTF-8, a small markup) into the
RTF files the program shows: Windows-1251 for the built-in language, every
non-ASCII character written as \\'xx (or \\uN for characters outside the code
page), so the files stay 7-bit.

Markup: "# " a title, "## " a heading, "- " a list item, a blank line ends a
paragraph, **text** is bold, _text_ is italic.

    tools/help_texts/make_rtf.py          # writes every text into assets/
"""
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
ASSETS = HERE.parent.parent / "assets"

# source file -> (output file, code page)
TEXTS = {
    "ru_spravka.txt": ("_spravka.rtf", 1251),
    "ru_histori.txt": ("_histori.rtf", 1251),
    "ru_avtori.txt": ("_avtori.rtf", 1251),
    "en_spravka.txt": ("English_spravka.rtf", 1252),
    "en_histori.txt": ("English_histori.rtf", 1252),
    "en_avtori.txt": ("English_avtori.rtf", 1252),
}


def escape(text, code_page):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 0x80:
            out.append(ch)
        else:
            try:
                byte = ch.encode("cp%d" % code_page)
                out.append("\\'%02x" % byte[0])
            except UnicodeEncodeError:
                code = ord(ch)
                out.append("\\u%d?" % (code - 65536 if code > 32767 else code))
    return "".join(out)


def inline(text, code_page):
    parts = re.split(r"(\*\*[^*]+\*\*|_[^_]+_)", text)
    out = []
    for part in parts:
        if part.startswith("**") and part.endswith("**") and len(part) > 4:
            out.append("{\\b " + escape(part[2:-2], code_page) + "}")
        elif part.startswith("_") and part.endswith("_") and len(part) > 2:
            out.append("{\\i " + escape(part[1:-1], code_page) + "}")
        else:
            out.append(escape(part, code_page))
    return "".join(out)


def convert(source, code_page):
    charset = 204 if code_page == 1251 else 0
    lines = [
        "{\\rtf1\\ansi\\ansicpg%d\\deff0" % code_page,
        "{\\fonttbl{\\f0\\fswiss\\fcharset%d DejaVu Sans;}}" % charset,
        "{\\colortbl;\\red0\\green0\\blue0;\\red30\\green60\\blue150;}",
        "{\\*\\generator Lumiglow make_rtf.py;}",
        "\\viewkind4\\uc1\\pard\\f0\\fs20",
    ]
    paragraph = []

    def flush():
        if paragraph:
            lines.append("\\pard\\sa80 " + inline(" ".join(paragraph), code_page) + "\\par")
            paragraph.clear()

    for raw in source.splitlines():
        line = raw.rstrip()
        if not line:
            flush()
        elif line.startswith("# "):
            flush()
            lines.append("\\pard\\qc\\sa120{\\b\\fs28\\cf2 " + escape(line[2:], code_page) + "}\\par")
        elif line.startswith("## "):
            flush()
            lines.append("\\pard\\sb120\\sa60{\\b\\fs22\\cf2 " + escape(line[3:], code_page) + "}\\par")
        elif line.startswith("- "):
            flush()
            lines.append("\\pard\\li200\\sa40\\bullet\\tab " + inline(line[2:], code_page) + "\\par")
        else:
            paragraph.append(line.strip())
    flush()
    lines.append("}")
    return "\r\n".join(lines) + "\r\n"


def main():
    for source, (output, code_page) in TEXTS.items():
        text = (HERE / source).read_text(encoding="utf-8")
        (ASSETS / output).write_bytes(convert(text, code_page).encode("ascii"))
        print("wrote", ASSETS / output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
