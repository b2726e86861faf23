#!/usr/bin/env python3
"""Writes the service worker of the built page, DIR/sw.js, from its template: the list of the
site's files to keep, and a version that is a hash of their contents, so that any change to
the site makes a new worker (and a new cache) that browsers pick up on their next visit. The
file is only rewritten when it changes.

    python3 web/build_tools/stamp_site.py TEMPLATE DIR
"""
import hashlib
import json
import os
import sys

# The site's files, as the worker keeps them ("./" is the page itself).
SKIP = {'sw.js'}


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: stamp_site.py TEMPLATE DIR')
    template, site = sys.argv[1], sys.argv[2]
    names = sorted(n for n in os.listdir(site)
                   if n not in SKIP and os.path.isfile(os.path.join(site, n)))
    digest = hashlib.sha256()
    for name in names:
        digest.update(name.encode() + b'\0')
        with open(os.path.join(site, name), 'rb') as f:
            digest.update(f.read())
    with open(template, encoding='utf-8') as f:
        text = f.read()
    text = text.replace('"@VERSION@"', json.dumps(digest.hexdigest()[:16]))
    text = text.replace('["@FILES@"]', json.dumps(['./'] + names))
    path = os.path.join(site, 'sw.js')
    try:
        with open(path, encoding='utf-8') as f:
            if f.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    main()
