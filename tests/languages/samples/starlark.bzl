"""Rules that count words: a module doc string."""

load("@rules_python//python:defs.bzl", "py_binary")

# A comment.
def count_words(text):
    """Returns the number of words in text.

    A # here is documentation text.
    """
    return len(text.split()) # a comment after code

QUOTED = "a # b \" c"
RAW = r"C:\path # text"
MULTI = '''
# text in a triple-quoted string

'''

def report(name, srcs = []):
    py_binary(
        name = name,
        srcs = srcs + ["main.py"], # a comment inside brackets
        args = [QUOTED, RAW, MULTI],
    )
