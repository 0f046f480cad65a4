#!/usr/bin/env python3
# -*- coding: utf-8 -*-
"""Summarise a log file.

The '#' in this docstring is not a comment marker, and neither is "#".
"""

import re
from textwrap import dedent

PATTERN = re.compile(r"^#\s*(\w+)")  # raw string holding '#'
QUOTE = 'it\'s a "#" sign'
LIMIT = 10
"""Attribute docstring for LIMIT."""

USAGE = dedent("""\
    usage: summary.py FILE
    # this line is string text, not a comment

    options are read from FILE
""")


class Summary:
    '''Counts matching lines.'''

    def __init__(self, lines):
        self.lines = list(lines)

    def count(self):
        """Return the number of lines that start with a tag.

        Blank lines inside a docstring stay blank.
        """
        total = 0
        for line in self.lines:
            if PATTERN.match(line):  # tag line
                total += 1
        return total


if __name__ == "__main__":
    s = Summary(["# a", "b", "#c"])
    print(s.count(), QUOTE, LIMIT, \
          USAGE)
