#!/usr/bin/env python3
"""Checks the user manual: every link between pages and every help topic reaches an
anchor that exists, both languages have the same pages with the same anchors in the same
order, and images.txt lists exactly the pictures the pages use. With --built, also that
the built manual holds every picture images.txt lists (the tests that make them have run).

Usage: check-manual.py [MANUAL_DIR] [--built BUILT_MANUAL_DIR]
       (MANUAL_DIR default: the folder of this script)
Prints what is wrong and exits 1, or prints a summary and exits 0."""

import os
import re
import sys

LANGUAGES = ("en", "zh")
ANCHOR = re.compile(r'<a id="([^"]+)"></a>')
LINK = re.compile(r"\]\(([^)\s]+)\)")
IMAGE = re.compile(r"!\[[^\]]*\]\(images/([^)\s]+)\)")
COMMENT = re.compile(r"(?:^|\s)#")


def main():
    args = sys.argv[1:]
    built = None
    if "--built" in args:
        at = args.index("--built")
        if at + 1 >= len(args):
            print("--built needs the built manual's folder")
            return 64
        built = args[at + 1]
        del args[at : at + 2]
    root = args[0] if args else os.path.dirname(os.path.abspath(__file__))
    pages = {}  # (language, "name.html") -> text
    for lang in LANGUAGES:
        for name in sorted(os.listdir(os.path.join(root, lang))):
            if name.endswith(".md"):
                with open(os.path.join(root, lang, name), encoding="utf-8") as f:
                    pages[lang, name[:-3] + ".html"] = f.read()
    anchors = {key: ANCHOR.findall(text) for key, text in pages.items()}

    problems = []
    for (lang, page), text in pages.items():
        if len(anchors[lang, page]) != len(set(anchors[lang, page])):
            problems.append(f"{lang}/{page}: an anchor is used twice")
        for other in LANGUAGES:
            if anchors.get((other, page)) != anchors[lang, page]:
                problems.append(f"{page}: the anchors differ between {lang} and {other}")
        for target in LINK.findall(text):
            linked, _, anchor = target.partition("#")
            if not target.startswith("images/") and anchor not in anchors.get((lang, linked or page), []):
                problems.append(f"{lang}/{page}: no such page or anchor: {target}")

    with open(os.path.join(root, "topics.txt"), encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            fields = COMMENT.split(line, maxsplit=1)[0].split()
            page, _, anchor = fields[-1].partition("#") if fields else ("", "", "")
            if fields and (len(fields) != 2 or anchor not in anchors.get(("en", page), [])):
                problems.append(f"topics.txt:{number}: no such page or anchor: {line.strip()}")

    used = {name for text in pages.values() for name in IMAGE.findall(text)}
    with open(os.path.join(root, "images.txt"), encoding="utf-8") as f:
        listed = {line.split("|")[0].strip() for line in f if line.strip() and not line.startswith("#")}
    problems += [f"images.txt and the pages disagree about {name}" for name in sorted(used ^ listed)]
    if built is not None:
        for name in sorted(listed):
            lang = next((l for l in LANGUAGES if name.endswith(f"-{l}.png")), LANGUAGES[0])
            if not os.path.isfile(os.path.join(built, lang, "images", name)):
                problems.append(f"{lang}/images/{name}: listed in images.txt, but no test made it")

    for problem in sorted(set(problems)):
        print(problem)
    if problems:
        return 1
    print(f"{len(pages)} pages, {sum(map(len, anchors.values()))} anchors, {len(listed)} images: "
          "every link and topic resolves")
    return 0


if __name__ == "__main__":
    sys.exit(main())
