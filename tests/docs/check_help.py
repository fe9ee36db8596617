#!/usr/bin/env python3
"""Checks the HTML help in docs/help.

1. Every link and resource of every page is relative (no scheme, no host)
   and resolves: the file exists and, when an anchor is given, the page
   holds an element with that id.
2. Every name of the script's root identifier table (app/root_table.cpp)
   appears in script.html as <code>name</code>.

Usage: check_help.py [source root]   (default: two folders up)
"""
import html.parser
import pathlib
import re
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids = set()
        self.links = []  # (attribute, value, line)
        self.codes = set()
        self._in_code = False
        self._code = ""

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("id", "name") and value:
                self.ids.add(value)
            if name in ("href", "src") and value is not None:
                self.links.append((name, value, self.getpos()[0]))
        if tag == "code":
            self._in_code, self._code = True, ""

    def handle_endtag(self, tag):
        if tag == "code" and self._in_code:
            self.codes.add(self._code.strip())
            self._in_code = False

    def handle_data(self, data):
        if self._in_code:
            self._code += data


def root_identifiers(root):
    text = (root / "app" / "root_table.cpp").read_text(encoding="utf-8")
    names = set()
    for fr, en in re.findall(r'\{\s*"([^"]+)"\s*,\s*"([^"]+)"\s*,', text):
        names.update((fr, en))
    names.update(re.findall(r'Named\(\s*"([^"]+)"', text))
    return names


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2]
    help_dir = root / "docs" / "help"
    pages = {}
    for path in sorted(help_dir.glob("*.html")):
        page = Page()
        page.feed(path.read_text(encoding="utf-8"))
        pages[path.name] = page
    errors = []
    if "index.html" not in pages:
        errors.append("docs/help/index.html is missing")

    for name, page in pages.items():
        for attribute, value, line in page.links:
            where = f"{name}:{line}: {attribute}=\"{value}\""
            parts = urllib.parse.urlsplit(value)
            if parts.scheme or parts.netloc or value.startswith("/"):
                errors.append(f"{where}: not a relative link")
                continue
            target = name if not parts.path else parts.path
            target_path = (help_dir / target).resolve()
            if not target_path.is_file():
                errors.append(f"{where}: no file {target}")
                continue
            if parts.fragment:
                target_page = pages.get(target_path.name) if target_path.parent == help_dir.resolve() else None
                if target_page is None or parts.fragment not in target_page.ids:
                    errors.append(f"{where}: no anchor #{parts.fragment} in {target}")

    script_page = pages.get("script.html")
    if script_page is None:
        errors.append("docs/help/script.html is missing")
    else:
        identifiers = root_identifiers(root)
        if len(identifiers) < 60:
            errors.append(f"only {len(identifiers)} names read from app/root_table.cpp")
        for identifier in sorted(identifiers - script_page.codes):
            errors.append(f"script.html: root identifier {identifier} is not documented")

    for error in errors:
        print(error)
    print(f"{len(pages)} pages checked, {len(errors)} problem(s)")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
