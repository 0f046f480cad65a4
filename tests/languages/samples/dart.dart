// Counts the words of a text, and shows Dart's string literals.
import 'dart:io';

/// A doc comment: counts the words of [text].
int countWords(String text) =>
    text.split(RegExp(r'\s+')).where((w) => w.isNotEmpty).length;

/* A block comment
   /* nests */ and runs on
   past the inner close */
void main() {
  var single = 'it\'s // not a comment';
  var double = "a /* b */ \" c"; // comment markers in a string are text
  var raw = r'C:\path\'; // a raw string ends at its next quote
  var multi = '''
// text in a multi-line string

''';
  var rawMulti = r"""
/* text */ \""";
  var count = countWords('$single ${double.length}'); // interpolation
  stdout.writeln('$count $raw $multi $rawMulti');
}
