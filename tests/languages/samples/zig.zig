//! Top-level doc comment: documents the file's own module.
const std = @import("std");

/// Doc comment: counts the words of `text`; a "//" in a string is text.
pub fn countWords(text: []const u8) usize {
    var count: usize = 0;
    var in_word = false;
    for (text) |c| {
        const blank = c == ' ' or c == '\t' or c == '\n'; // character literals
        if (!blank and !in_word) count += 1;
        in_word = !blank;
    }
    return count;
}

const banner =
    \\a multiline string: "quotes", ' and // are text
    \\
    \\    indented // still text
;

pub fn main() void {
    const quote = '"'; // a character literal that holds a quote
    const slash = "a // b \" c"; // an escaped quote inside a string
        // an indented comment
    std.debug.print("{d} {s} {c} {s}\n", .{ countWords("a b"), banner, quote, slash });
}
