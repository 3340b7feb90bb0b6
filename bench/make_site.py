#!/usr/bin/env python3
"""Writes a generated web site for the mirroring benchmark.

    make_site.py FOLDER PAGES BASE_URL

The site has an index page and PAGES pages spread over ten folders (d0 ... d9).
Every page links to ten other pages, in the forms a real site mixes: same
folder, a sibling folder ("../d3/p12.html"), root-relative ("/d4/p9.html") and
absolute (BASE_URL + "/d5/p7.html"). The first link of page i goes to page
i + 1, so that the whole site is reachable from the index. Every page shows two
of twenty small GIF images in "img/". Prints the number of HTML files written
(pages and index).
"""

import os
import sys

FOLDERS = 10
IMAGES = 20
LINKS_PER_PAGE = 10
# A 1x1 GIF; each image gets a different trailing comment so no two are equal.
GIF = bytes.fromhex("47494638396101000100800000000000ffffff21f90401000000002c"
                    "00000000010001000002024401003b")
FILLER = "<p>" + "Lorem ipsum dolor sit amet, consectetur adipiscing elit. " * 8 + "</p>\n"


def folder_of(page):
    return "d%d" % (page % FOLDERS)


def path_of(page):
    return "%s/p%d.html" % (folder_of(page), page)


def link_targets(page, pages):
    """Ten other pages: the next one first, then pages spread over the site."""
    steps = (1, 7, 31, 97, 211, 401, 809, 1601, 3203, 6397)
    targets = []
    for n, step in enumerate(steps):
        target = (page * (n + 1) + step) % pages if n else (page + 1) % pages
        if target == page:
            target = (target + 1) % pages
        targets.append(target)
    return targets


def link_text(page, target, n, base_url):
    """The href of link number n from page to target."""
    if n % 5 == 3:
        return "/" + path_of(target)
    if n % 5 == 4:
        return base_url + "/" + path_of(target)
    if folder_of(target) == folder_of(page):
        return "p%d.html" % target
    return "../" + path_of(target)


def page_html(page, pages, base_url):
    images = (page % IMAGES, (page * 3 + 1) % IMAGES)
    lines = ["<html><head><title>Page %d</title></head><body>" % page,
             "<h1>Page %d</h1>" % page]
    lines += ['<img src="../img/g%d.gif" alt="g%d">' % (i, i) for i in images]
    for n, target in enumerate(link_targets(page, pages)):
        lines.append('<a href="%s">page %d</a>' % (link_text(page, target, n, base_url), target))
        lines.append(FILLER)
    lines.append("</body></html>")
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    folder, pages, base_url = sys.argv[1], int(sys.argv[2]), sys.argv[3].rstrip("/")
    if pages < 2:
        sys.exit("make_site.py: at least 2 pages")
    for n in range(FOLDERS):
        os.makedirs(os.path.join(folder, "d%d" % n), exist_ok=True)
    os.makedirs(os.path.join(folder, "img"), exist_ok=True)
    for i in range(IMAGES):
        with open(os.path.join(folder, "img", "g%d.gif" % i), "wb") as out:
            out.write(GIF[:-1] + b"\x21\xfe\x01" + bytes([i]) + b"\x00\x3b")
    for page in range(pages):
        with open(os.path.join(folder, path_of(page)), "w") as out:
            out.write(page_html(page, pages, base_url))
    with open(os.path.join(folder, "index.html"), "w") as out:
        out.write('<html><body><h1>Index</h1><a href="%s">start</a>\n'
                  '<img src="img/g0.gif"></body></html>\n' % path_of(0))
    print(pages + 1)


if __name__ == "__main__":
    main()
