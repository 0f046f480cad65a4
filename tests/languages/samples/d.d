// Counts the words of a text, and shows D's literals.
module report;

import std.stdio : writeln;
import std.array : split;

/+ A nesting comment
   /+ nests +/ and runs on
   past the inner close +/
/* A block comment
   /+ does not nest in it */
/// A documentation comment.
size_t countWords(string text)
{
    return text.split.length; // a comment after code
}

void main()
{
    auto plain = "a // b /* c */ \" d";
    auto wysiwyg = r"C:\path // text";
    auto backquoted = `a "quoted" // text`;
    auto delimited = q"(a "quoted" // text)";
    auto multi = "a string
// spanning lines

ends here";
    char quote = '"'; // a character literal holding a quote
    writeln(countWords("a b"), plain, wysiwyg, backquoted, delimited, multi, quote);
}
