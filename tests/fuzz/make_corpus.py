#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: valid project files of 0 to 1,000 items and
malformed ones for the project reader, and hostile documents for the HTML generator."""
import os
import random
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
MARK = "--------------- {} ---------------"
DEFAULTS = ("0|FFFFFF|000000||0|0|0||Loading...|000000|FFFFFF|5|0|3|0|F4BE1A|FFFFFF|000000|000000|0|0|0|0|0|"
            "FFFFFF|1|40|20|80|20|0|FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|3|0|D0AC1A|0|14|0|0|1|FFFFFF|FFFFFF|0|0|0|"
            "0|000000|0|5|0|3|0|FDCD5E|0|14|0|0|1|FFFFFF|FFFFFF|0|0|0|0|000000|0|5|0|4|0|FDCD5E|0|14|0|0|1|400|60|"
            "0|0|0|0|0|0|0|14|0").split("|")


def project(outline, items=None, count=None, eol="\r\n"):
    """outline: list of (depth, caption) after the root."""
    lines = ["Note: This file be created and maintained by Tarvelle,",
             "please do not modify it by yourself, otherwise the project file may not",
             "be opened correctly! Thanks!. ", MARK.format("General Description Start"),
             "Name = Tarvelle", "Version = 10 ", MARK.format("General Description End"),
             MARK.format("Structure Description Start"), "Tarvelle"]
    lines += ["\t" * depth + caption for depth, caption in outline]
    lines += [MARK.format("Structure Description End"), MARK.format("Applet Parameter Description Start")]
    lines += DEFAULTS
    lines += [MARK.format("Applet Parameter Description End"), MARK.format("Item Parameter Description Start")]
    if items is None:
        items = [[caption, "", "_self", "", "", "", "", "", "", "5", "5", "", "", "", ""] for _, caption in outline]
    lines.append(str(len(items)) if count is None else count)
    for item in items:
        lines += item
    lines.append(MARK.format("Item Parameter Description End"))
    return eol.join(lines) + eol


def shaped(n, rng):
    outline, depth = [], 0
    for k in range(n):
        depth = rng.randint(1, min(depth + 1, 4)) if depth else 1
        outline.append((depth, f"Item {k}"))
    return outline


def write(folder, name, text):
    data = text.encode("utf-8") if isinstance(text, str) else text
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def load_corpus(folder):
    rng = random.Random(7)
    for n in (0, 1, 2, 5, 20, 100, 1000):
        write(folder, f"valid-{n:04d}.tvl", project(shaped(n, rng)))
    small = project([(1, "Home"), (1, "Products"), (2, "A"), (2, "B"), (3, "B1")])
    for cut in range(0, len(small) + 1):
        write(folder, f"truncated-{cut:04d}.tvl", small[:cut])
    mixed = small.replace("\r\n", "\n", 10).replace("\r\n", "\r", 10)
    write(folder, "mixed-line-ends.tvl", mixed)
    write(folder, "lf-only.tvl", small.replace("\r\n", "\n"))
    write(folder, "invalid-utf8.tvl", small.replace("Home", "Caf\udce9").encode("utf-8", "surrogateescape"))
    write(folder, "latin1.tvl", small.replace("Home", "Caf\xe9 \x80").encode("latin-1"))
    write(folder, "nul-bytes.tvl", small.replace("Products", "Pro\0ducts"))
    write(folder, "ctrl-z.tvl", small.replace("Products", "Pro\x1aducts"))
    write(folder, "long-line.tvl", small.replace("Home", "H" * 200000))
    for count in ("-1", "18446744073709551616", "five", "", "99999999"):
        name = {"": "empty"}.get(count, count.replace("-", "minus"))
        write(folder, f"count-{name}.tvl", project([(1, "A")], count=count))
    write(folder, "bad-depth.tvl", project([(1, "A"), (3, "deep")]))
    write(folder, "second-root.tvl", project([(1, "A"), (0, "Root2")]))
    write(folder, "no-markers.tvl", "just some text\r\nwithout markers\r\n")
    write(folder, "missing-structure-end.tvl", small.replace(MARK.format("Structure Description End"), ""))
    write(folder, "missing-applet-start.tvl", small.replace(MARK.format("Applet Parameter Description Start"), ""))
    write(folder, "missing-item-start.tvl", small.replace(MARK.format("Item Parameter Description Start"), ""))
    write(folder, "repeated-markers.tvl", small + small)
    start = MARK.format("Structure Description Start")
    write(folder, "repeated-structure-start.tvl", small.replace(start, start + "\r\n" + start))
    write(folder, "more-records.tvl", project([(1, "A")], items=[["x"] * 15] * 3))
    write(folder, "fewer-records.tvl", project([(1, "A"), (1, "B"), (2, "C")], items=[["x"] * 15]))
    write(folder, "empty-structure.tvl", small.replace("Tarvelle\r\n\tHome", "\tHome").replace(
        "\r\n".join(["Tarvelle"]), ""))


def html_corpus(folder):
    hostile = ['Tom & "Jerry"', "<script>alert(1)</script>", "caf\u00e9 \u20ac \u4e2d\u6587 \U0001F600",
               "a|b|c", "&amp; &#233; &lt;", "tab\there", "line\x1ebreak", "\x00nul \x85 c1"]
    applet = "\n".join(DEFAULTS[:85] + ['4"00', "6<0"] + DEFAULTS[87:])
    items = []
    for depth in range(6):
        for value in hostile:
            fields = [value, "http://x/?a=1&b=" + value, "_blank", value, value + ".gif"]
            items.append(chr(ord("0") + depth) + "\x1f".join(fields))
    write(folder, "hostile.txt", applet + "\n" + "\n".join(items))
    write(folder, "defaults-only.txt", "\n".join(DEFAULTS))
    write(folder, "example-menu.txt", "\n".join(DEFAULTS) + "\n0Home\x1findex.html\n0Products\n1A\x1fa.html\x1f_blank\n1B\n2B1\x1fb1.html")
    write(folder, "empty.txt", "")


def main():
    for name, fill in (("load_project", load_corpus), ("html", html_corpus)):
        folder = os.path.join(HERE, "corpus", name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        fill(folder)


if __name__ == "__main__":
    main()
