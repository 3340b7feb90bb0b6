#!/usr/bin/env python3
"""Checks a saved copy as a browser reads it.

    python3 bench/link_check.py COPY_DIR [SERVER_PREFIX]

Parses every saved page with html.parser (so a ">" or quote inside an
attribute value does not cut a tag short) and resolves each value of the
searched tags (a/area href, img/frame/iframe/embed/bgsound src, body
background, applet code) against the page's file URL and its base tag, as a
browser does: "\\" reads as "/", fragments and queries are dropped, the path
is percent-decoded. Links to other schemes are left alone; those that still
point at SERVER_PREFIX (e.g. http://127.0.0.1:8000) are counted apart. Files
holding a server's error page are listed. Prints up to eight broken links and
the figures pages=, links=, broken=, left_to_server=, error_pages=.
"""
import html.parser
import os
import sys
import urllib.parse

TAGS = {"a": "href", "area": "href", "img": "src", "frame": "src", "iframe": "src",
        "embed": "src", "bgsound": "src", "body": "background", "applet": "code"}
ERROR_MARKS = (b"<title>Error response</title>", b"<title>404 Not Found</title>")


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []
        self.base = None

    def handle_starttag(self, tag, attrs):
        if tag == "base":
            self.base = next((v for k, v in attrs if k == "href" and v), self.base)
        wanted = TAGS.get(tag)
        self.links += [v for k, v in attrs if k == wanted and v is not None]

    handle_startendtag = handle_starttag


def main():
    root = os.path.abspath(sys.argv[1])
    server = sys.argv[2] if len(sys.argv) > 2 else None
    pages = links = broken = left = errors = 0
    examples = []
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            data = open(path, "rb").read()
            if any(mark in data[:1000] for mark in ERROR_MARKS):
                errors += 1
                print("error page saved:", os.path.relpath(path, root))
            if not name.lower().endswith((".html", ".htm")) or name == "_Index.html":
                continue
            pages += 1
            page = Page()
            page.feed(data.decode("utf-8", "replace"))
            base = "file://" + urllib.parse.quote(path)
            if page.base:
                base = urllib.parse.urljoin(base, page.base.replace("\\", "/"))
            for value in page.links:
                value = value.strip().replace("\\", "/")
                if not value or value.startswith("#"):
                    continue
                url = urllib.parse.urljoin(base, value)
                parts = urllib.parse.urlsplit(url)
                if parts.scheme != "file":
                    left += bool(server and url.startswith(server))
                    continue
                links += 1
                if not os.path.exists(urllib.parse.unquote(parts.path)):
                    broken += 1
                    if len(examples) < 8:
                        examples.append(f"{os.path.relpath(path, root)} -> {value}")
    for example in examples:
        print("broken:", example)
    print(f"pages={pages} links={links} broken={broken} left_to_server={left} error_pages={errors}")


if __name__ == "__main__":
    main()
