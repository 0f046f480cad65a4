#!/usr/bin/env python3
"""A second, independent reading of C, C++ and Shell files, line by line.

Classes each physical line as blank, code or comment the way a compiler's first
translation phases (or a POSIX shell's tokenizer) see the text, with none of Varnik's
code or tables, and compares the per-file counts with those of a Varnik scan.

    check-c-lines.py VARNIK_JSON [--csv OUT]   compare every C, C++ and Shell file of a scan
    check-c-lines.py --lines FILE [Shell]       print the class of each line of FILE
    check-c-lines.py --first-diff CLI FILE [Shell]  the first line where Varnik's class differs

Counting rules (Varnik's, docs/language-table.md):
- a line holding only blanks (space, tab, CR, FF, VT, a BOM opening the file) is blank,
  wherever it stands, even inside a comment or a string;
- otherwise a line with any code byte is code; string text and directive lines are code;
- otherwise a line with comment text is comment. A backslash that splices two lines
  belongs to the zone it stands in, so a line holding only a splice inside a comment is
  comment.
"""
import collections
import csv
import json
import os
import subprocess
import sys
import tempfile

BLANKS = b" \t\r\f\v"
IDENT = frozenset(b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_$") | frozenset(range(0x80, 0x100))
DIGITS = frozenset(b"0123456789")
C_EXT = {"c"}
CPP_EXT = {"h", "cc", "cpp", "cxx", "c++", "hpp", "hh", "hxx", "ipp", "tcc", "inl", "tpp", "cp"}
STRING_PREFIXES = {b"", b"L", b"u", b"U", b"u8"}
RAW_PREFIXES = {b"R", b"LR", b"uR", b"UR", b"u8R"}
RAW_DELIM_BAD = frozenset(b" ()\\\t\v\f\n\r")


class Marks:
    """Which zones each physical line touches."""

    def __init__(self, data):
        self.data = data
        self.starts = [0] + [i + 1 for i, b in enumerate(data) if b == 0x0A]
        if self.starts[-1] == len(data):
            self.starts.pop()
        self.code = set()
        self.comment = set()
        self._line = 0

    def line(self, pos):
        # Positions only move forward, so the current line index follows along.
        while self._line + 1 < len(self.starts) and self.starts[self._line + 1] <= pos:
            self._line += 1
        return self._line

    def mark(self, pos, zone):
        if self.data[pos] not in BLANKS and self.data[pos] != 0x0A:
            (self.code if zone == "code" else self.comment).add(self.line(pos))

    def classes(self):
        out = []
        for n, start in enumerate(self.starts):
            end = self.starts[n + 1] - 1 if n + 1 < len(self.starts) else len(self.data)
            text = self.data[start:end].rstrip(b"\n")
            if n == 0 and text.startswith(b"\xef\xbb\xbf"):
                text = text[3:]
            if not text.strip(BLANKS):
                out.append("b")
            elif n in self.code:
                out.append("c")
            elif n in self.comment:
                out.append("m")
            else:
                out.append("c")
        return out


class CReader:
    """Phases 1 to 3 of C and C++: splices, comments, literals, identifiers, numbers."""

    def __init__(self, data, cpp):
        self.d = data
        self.n = len(data)
        self.cpp = cpp
        self.m = Marks(data)

    def splice(self, p, zone):
        """Skips backslash-newlines at p (marking the backslash in zone); returns the new p."""
        d = self.d
        while p < self.n and d[p] == 0x5C:
            if p + 1 < self.n and d[p + 1] == 0x0A:
                self.m.mark(p, zone)
                p += 2
            elif p + 2 < self.n and d[p + 1] == 0x0D and d[p + 2] == 0x0A:
                self.m.mark(p, zone)
                p += 3
            else:
                break
        return p

    def get(self, p, zone):
        """The logical character at p: (byte or None, position of that byte, position after it)."""
        p = self.splice(p, zone)
        if p >= self.n:
            return None, p, p
        return self.d[p], p, p + 1

    def run(self):
        p = 0
        if self.d.startswith(b"\xef\xbb\xbf"):
            p = 3
        while True:
            c, at, p = self.get(p, "code")
            if c is None:
                break
            if c == 0x2F:  # '/'
                c2, at2, p2 = self.get(p, "code")
                if c2 == 0x2F:
                    self.m.mark(at, "comment")
                    self.m.mark(at2, "comment")
                    p = self.line_comment(p2)
                    continue
                if c2 == 0x2A:
                    self.m.mark(at, "comment")
                    self.m.mark(at2, "comment")
                    p = self.block_comment(p2)
                    continue
                self.m.mark(at, "code")
                continue
            if c in IDENT:
                p = self.word(c, at, p)
                continue
            if c == 0x2E:  # '.' may open a number
                c2, _, _ = self.get(p, "code")
                self.m.mark(at, "code")
                if c2 is not None and c2 in DIGITS:
                    p = self.number(p)
                continue
            if c == 0x22 or c == 0x27:
                self.m.mark(at, "code")
                p = self.literal(p, c)
                continue
            self.m.mark(at, "code")
        return self.m.classes()

    def line_comment(self, p):
        while True:
            c, at, p = self.get(p, "comment")
            if c is None or c == 0x0A:
                return p
            self.m.mark(at, "comment")

    def block_comment(self, p):
        while True:
            c, at, p = self.get(p, "comment")
            if c is None:
                return p
            self.m.mark(at, "comment")
            if c == 0x2A:
                c2, at2, p2 = self.get(p, "comment")
                if c2 == 0x2F:
                    self.m.mark(at2, "comment")
                    return p2

    def literal(self, p, close):
        """A string or character literal; left open, it ends with its logical line."""
        while True:
            c, at, p = self.get(p, "code")
            if c is None or c == 0x0A:
                return p
            self.m.mark(at, "code")
            if c == close:
                return p
            if c == 0x5C:
                c2, at2, p2 = self.get(p, "code")
                if c2 is None or c2 == 0x0A:
                    return p2
                self.m.mark(at2, "code")
                p = p2

    def word(self, c, at, p):
        """An identifier or a pp-number; an encoding prefix may open a literal."""
        self.m.mark(at, "code")
        if c in DIGITS:
            return self.number(p)
        text = bytearray([c])
        while True:
            c, at2, p2 = self.get(p, "code")
            if c is None or c not in IDENT:
                break
            self.m.mark(at2, "code")
            text.append(c)
            p = p2
        text = bytes(text)
        if c == 0x22 and self.cpp and text in RAW_PREFIXES:
            return self.raw(p)
        if (c == 0x22 or c == 0x27) and text in STRING_PREFIXES:
            self.m.mark(at2, "code")
            return self.literal(p2, c)
        return p

    def number(self, p):
        """The rest of a pp-number: digits, letters, '.', signed exponents, digit separators."""
        prev = 0x30
        while True:
            c, at, p2 = self.get(p, "code")
            if c is None:
                return p
            if c in IDENT or c == 0x2E:
                pass
            elif c in (0x2B, 0x2D) and prev in b"eEpP":
                pass
            elif c == 0x27:
                c2, _, _ = self.get(p2, "code")
                if c2 is None or c2 not in IDENT:
                    return p
            else:
                return p
            self.m.mark(at, "code")
            prev = c
            p = p2

    def raw(self, p):
        """R"delim( ... )delim": no splices, escapes nor comments inside."""
        c, at, p = self.get(p, "code")  # the quote
        self.m.mark(at, "code")
        d = self.d
        start = p
        while p < self.n and p - start <= 16 and d[p] != 0x28 and d[p] not in RAW_DELIM_BAD:
            p += 1
        if p >= self.n or d[p] != 0x28 or p - start > 16:
            # Not a raw string after all: read on as a plain string.
            return self.literal(start, 0x22)
        close = b")" + d[start:p] + b'"'
        end = d.find(close, p + 1)
        stop = self.n if end < 0 else end + len(close)
        for q in range(start, stop):
            self.m.mark(q, "code")
        return stop


def classify_c(data, cpp):
    return CReader(data, cpp).run()


def classify_sh(data):
    """POSIX sh: a '#' that begins a word starts a comment; quotes, $'', ${#x}, $#, heredocs."""
    m = Marks(data)
    n = len(data)
    p = 0
    word_start = True
    heredocs = []  # (word, strip tabs)
    while p < n:
        c = data[p]
        if c == 0x0A:
            p += 1
            word_start = True
            if heredocs:
                p = sh_heredoc_bodies(data, p, heredocs, m)
                heredocs = []
            continue
        if c in b" \t":
            p += 1
            word_start = True
            continue
        if c == 0x23 and word_start:  # '#'
            while p < n and data[p] != 0x0A:
                m.mark(p, "comment")
                p += 1
            continue
        m.mark(p, "code")
        word_start = c in b";&|()<>"
        if c == 0x5C:  # '\' quotes the next byte
            if p + 1 < n:
                m.mark(p + 1, "code")
            p += 2
            word_start = False
        elif c == 0x27:
            p = sh_until(data, p + 1, 0x27, False, m)
        elif c == 0x22:
            p = sh_until(data, p + 1, 0x22, True, m)
        elif c == 0x60:
            p = sh_until(data, p + 1, 0x60, True, m)
        elif c == 0x24 and p + 1 < n and data[p + 1] == 0x27:  # $'...'
            m.mark(p + 1, "code")
            p = sh_until(data, p + 2, 0x27, True, m)
        elif c == 0x24 and p + 1 < n and data[p + 1] in b"#{":  # $# and ${#x}
            m.mark(p + 1, "code")
            p += 2
        elif c == 0x3C and data.startswith(b"<<", p) and not data.startswith(b"<<<", p):
            p = sh_heredoc_word(data, p + 2, heredocs, m)
        elif c == 0x3C and data.startswith(b"<<<", p):
            for q in range(p, p + 3):
                m.mark(q, "code")
            p += 3
        else:
            p += 1
    return m.classes()


def sh_until(data, p, close, escapes, m):
    while p < len(data):
        c = data[p]
        m.mark(p, "code")
        if escapes and c == 0x5C and p + 1 < len(data):
            m.mark(p + 1, "code")
            p += 2
            continue
        p += 1
        if c == close:
            break
    return p


def sh_heredoc_word(data, p, heredocs, m):
    """After '<<': an optional '-', blanks, then the word (quotes removed)."""
    strip = p < len(data) and data[p] == 0x2D
    if strip:
        p += 1
    while p < len(data) and data[p] in b" \t":
        p += 1
    word = bytearray()
    quote = None
    while p < len(data) and data[p] != 0x0A:
        c = data[p]
        if quote:
            if c == quote:
                quote = None
            else:
                word.append(c)
        elif c in b"'\"":
            quote = c
        elif c == 0x5C and p + 1 < len(data):
            p += 1
            word.append(data[p])
        elif c in b" \t;&|()<>":
            break
        else:
            word.append(c)
        m.mark(p, "code")
        p += 1
    if word:
        heredocs.append((bytes(word), strip))
    return p


def sh_heredoc_bodies(data, p, heredocs, m):
    """Body lines are text (code) up to a line that is exactly the word."""
    for word, strip in heredocs:
        while p < len(data):
            end = data.find(b"\n", p)
            end = len(data) if end < 0 else end
            line = data[p:end]
            body = line.lstrip(b"\t") if strip else line
            for q in range(p, end):
                m.mark(q, "code")
            p = end + 1
            if body == word:
                break
    return p


def kind_of(path):
    name = os.path.basename(path)
    ext = name.rsplit(".", 1)[1].lower() if "." in name else ""
    if ext in C_EXT:
        return "c"
    if ext in CPP_EXT or ext == "" or "/c++/" in path:
        return "cpp"
    return None


def classify(path, language):
    data = open(path, "rb").read()
    if language == "Shell":
        return classify_sh(data)
    return classify_c(data, kind_of(path) != "c")


def counts(classes):
    return classes.count("b"), classes.count("c"), classes.count("m")


def walk(node, files):
    if node.get("kind") == "folder":
        for child in node.get("nodes", []):
            walk(child, files)
        return
    counters = {c["name"]: c for c in node.get("counters", [])}
    language = counters["File"]["counters"][0]["name"]
    line = {c["name"]: c["count"] for c in counters.get("Line", {}).get("counters", [])}
    files[node["name"]] = (language, (line.get("Blank", 0), line.get("Code", 0), line.get("Comment", 0)),
                           "Parsing Error" in counters)


def compare(json_path, csv_path):
    files = {}
    walk(json.load(open(json_path))["root"], files)
    total = collections.Counter()
    same = collections.Counter()
    errors = []
    rows = []
    for path, (language, varnik, error) in sorted(files.items()):
        if language not in ("C", "C++", "Shell"):
            continue
        if error:
            errors.append(path)
        mine = counts(classify(path, language))
        total[language] += 1
        if mine == varnik:
            same[language] += 1
        else:
            rows.append([language, path, *varnik, *mine])
    for language in sorted(total):
        print(f"  {language:<6} {same[language]:>6} of {total[language]:<6} files agree "
              f"({100 * same[language] / total[language]:.2f}%)")
    print(f"  parsing errors: {len(errors)}", *errors[:20], sep="\n    ")
    if csv_path:
        with open(csv_path, "w", newline="") as f:
            writer = csv.writer(f)
            writer.writerow(["language", "file", "varnik blank", "code", "comment", "check blank", "code", "comment"])
            writer.writerows(rows)
        print(f"  differing files: {csv_path}")


def first_diff(cli, path, language):
    """Scans growing prefixes of the file; the first whose counts differ names the line."""
    data = open(path, "rb").read()
    mine = classify(path, language)
    starts = [0] + [i + 1 for i, b in enumerate(data) if b == 0x0A]
    name = os.path.basename(path)
    if "." not in name and language != "Shell":
        name += ".hpp"
    with tempfile.TemporaryDirectory() as tmp:
        probe = os.path.join(tmp, name)

        def varnik_counts(k):
            with open(probe, "wb") as f:
                f.write(data[: starts[k] if k < len(starts) else len(data)])
            out = json.loads(subprocess.run([cli, "scan", "--languages", "--json", tmp],
                                            capture_output=True, check=True).stdout)
            files = {}
            walk(out["root"], files)
            return next(iter(files.values()))[1]

        lo, hi = 0, len(mine)
        if varnik_counts(hi) == counts(mine):
            print("no difference")
            return
        while hi - lo > 1:  # counts agree on lo lines, differ on hi lines
            mid = (lo + hi) // 2
            if varnik_counts(mid) == counts(mine[:mid]):
                lo = mid
            else:
                hi = mid
        lines = data.split(b"\n")
        for k in range(max(0, hi - 4), min(len(lines), hi + 2)):
            print(f"{k + 1:>6} {mine[k] if k < len(mine) else ' '} {'>' if k + 1 == hi else ' '} {lines[k][:160]!r}")
        print(f"Varnik's class of line {hi} differs; counts there {varnik_counts(hi)} against {counts(mine[:hi])}")


def main(argv):
    if argv[1] == "--lines":
        language = argv[3] if len(argv) > 3 else "C"
        for cls, text in zip(classify(argv[2], language), open(argv[2], "rb").read().split(b"\n")):
            print(cls, text.decode("utf-8", "replace"))
    elif argv[1] == "--first-diff":
        first_diff(argv[2], argv[3], argv[4] if len(argv) > 4 else "C")
    else:
        compare(argv[1], argv[3] if len(argv) > 3 and argv[2] == "--csv" else None)


if __name__ == "__main__":
    main(sys.argv)
