## Counts the words of a text, and shows Nim's literals.
import std/strutils

#[ A multiline comment
   #[ nests ]# and runs on
   past the inner close ]#
proc countWords(text: string): int =
  ## A documentation comment.
  text.splitWhitespace().len # a comment after code

let quoted = "a # b \" c"
let raw = r"C:\path ""quoted"" # text"
let multi = """
# text in a triple-quoted string

"""
let quote = '"' # a character literal holding a quote
let small = 1'u8 # a type suffix, no character literal
echo countWords("a b"), quoted, raw, multi, quote, small
