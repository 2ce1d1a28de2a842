#!/usr/bin/env python3
"""Lists the classes whose public surface is wide: more than MAX_METHODS
public methods or more than MAX_SIGNALS signals, read from the headers.

    scripts/class-surface.py [--methods N] [--signals N] [--members] [folder ...]

The reading is approximate: a declaration is a statement at the class's own
brace level; one with a parameter list is a method, one without a data
member. Constructors, destructors and operators are not counted. With
--members it also lists public data members of classes (not of plain
structs) whose names carry no m_ prefix, which the naming rules keep
private. It only reports; it fails nothing.
"""

import argparse
import pathlib
import re
import sys

FOLDERS = ["app", "config", "platform", "results", "run", "testlists", "ui", "unit", "viewer"]
CLASS_RE = re.compile(r"^\s*(class|struct)\s+(?:\w+\s+)*?(\w+)\s*(?:final\s*)?(?::[^;{]*)?\{")
ACCESS_RE = re.compile(r"^\s*(public|protected|private)(\s+slots)?\s*:|^\s*(signals|Q_SIGNALS)\s*:")


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    text = re.sub(r"//[^\n]*", "", text)
    # Macros without a semicolon (Q_OBJECT, Q_DISABLE_COPY(...)) and preprocessor lines.
    return re.sub(r"^\s*(Q_[A-Z_]+(\([^)]*\))?|#.*)\s*$", "", text, flags=re.M)


class Surface:
    def __init__(self, path, kind, name):
        self.path, self.kind, self.name = path, kind, name
        self.methods, self.signals, self.slots, self.members = 0, 0, 0, []


def statements(body):
    """Yields (access, text) for each statement at the class's own level."""
    access = "private"
    depth, text = 0, ""
    for ch in body:
        if depth == 0:
            text += ch
            m = ACCESS_RE.match(text.strip()) if ch == ":" else None
            if m:
                access = "signals" if m.group(3) else m.group(1) + ("-slots" if m.group(2) else "")
                text = ""
                continue
            if ch == ";":
                yield access, text.strip()
                text = ""
            elif ch == "{":
                depth = 1
        else:
            if ch == "{":
                depth += 1
            elif ch == "}":
                depth -= 1
                if depth == 0:
                    # A body closes a method, or a nested type / initializer.
                    stmt = text.strip()
                    if "(" in stmt.split("{")[0] or stmt.startswith(("class", "struct", "enum", "union")):
                        yield access, stmt + "}"
                        text = ""
                    else:
                        text += "}"


def classify(surface, access, stmt):
    head = stmt.split("{")[0].strip().rstrip(";").strip()
    if not head or head.startswith(("using", "friend", "typedef", "static_assert", "Q_", "template")):
        return
    if head.startswith(("class ", "struct ", "enum ", "union ")):
        return
    if access == "signals":
        if "(" in head:
            surface.signals += 1
        return
    if not access.startswith("public"):
        return
    if "(" in head and not re.search(r"=\s*[^=]*\(", head.split("(")[0]):
        name = re.findall(r"([~\w]+|operator\S*)\s*\(", head)
        if not name:
            return
        n = name[0]
        if n.startswith("~") or n == surface.name or n.startswith("operator") or n in ("Q_PROPERTY",):
            return
        if access == "public-slots":
            surface.slots += 1
        surface.methods += 1
    else:
        decl = re.sub(r"\s*(=|\{).*$", "", head, flags=re.S)
        names = re.findall(r"(\w+)\s*(?:\[[^\]]*\])?\s*$", decl)
        if names and "static" not in decl.split() and "constexpr" not in decl.split():
            surface.members.append(names[0])


def surfaces(path):
    text = strip_comments(path.read_text(errors="replace"))
    for m in re.finditer(CLASS_RE.pattern, text, re.M):
        kind, name = m.group(1), m.group(2)
        start = m.end()
        depth, i = 1, start
        while i < len(text) and depth:
            depth += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        surface = Surface(path, kind, name)
        body = text[start : i - 1]
        for acc, stmt in statements(("public:" if kind == "struct" else "") + body):
            classify(surface, acc, stmt)
        yield surface


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--methods", type=int, default=40)
    parser.add_argument("--signals", type=int, default=10)
    parser.add_argument("--members", action="store_true")
    parser.add_argument("folders", nargs="*")
    args = parser.parse_args()
    root = pathlib.Path(__file__).resolve().parent.parent
    folders = args.folders or FOLDERS
    for folder in folders:
        for path in sorted((root / folder).rglob("*.h")):
            for s in surfaces(path):
                rel = path.relative_to(root)
                if s.methods > args.methods or s.signals > args.signals:
                    print(f"{rel}: {s.name}: {s.methods} public methods ({s.slots} slots), {s.signals} signals")
                if args.members and s.kind == "class":
                    loose = [n for n in s.members if not n.startswith("m_")]
                    if loose:
                        print(f"{rel}: {s.name}: public data members {', '.join(loose)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
