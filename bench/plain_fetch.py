#!/usr/bin/env python3
"""The plain client of the mirroring benchmark: fetches a list of URL paths
one after the other, each over its own HTTP/1.0 connection, and saves each
body under a folder. No parsing, no link rewriting: what the server allows.

    plain_fetch.py HOST PORT URL_LIST FOLDER

URL_LIST holds one path a line ("/d3/p12.html"), as stored on disk (it is
percent-encoded here).
"""

import os
import socket
import sys
import urllib.parse


def fetch(host, port, path):
    request = ("GET %s HTTP/1.0\r\nHost: %s:%d\r\n\r\n"
               % (urllib.parse.quote(path), host, port)).encode("ascii")
    with socket.create_connection((host, port)) as conn:
        conn.sendall(request)
        chunks = []
        while True:
            chunk = conn.recv(65536)
            if not chunk:
                break
            chunks.append(chunk)
    reply = b"".join(chunks)
    head, _, body = reply.partition(b"\r\n\r\n")
    return head.split(b" ", 2)[1] == b"200", body


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    host, port, url_list, folder = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    with open(url_list, encoding="utf-8") as lines:
        paths = [line.rstrip("\n") for line in lines if line.strip()]
    failed = 0
    for path in paths:
        ok, body = fetch(host, port, path)
        if not ok:
            failed += 1
            continue
        target = os.path.join(folder, path.lstrip("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as out:
            out.write(body)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
