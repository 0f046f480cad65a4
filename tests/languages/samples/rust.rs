//! Counts words; this inner doc comment documents the crate.

/* A block comment /* with a nested one */
   is still open here, and "quotes" mean nothing.

*/
use std::collections::HashMap;

/// Splits text on a separator.
fn split<'a>(text: &'a str, sep: char) -> Vec<&'a str> {
    text.split(sep).collect() // lifetimes are not char literals
}

const PATTERN: &str = r#"a "quoted" /* not a comment */ // nor this"#;
const MULTI: &str = r##"first line
"# does not close this raw string
// still the raw string

last line"##;
const ESCAPED: &str = "a \"quote\" and // inside";
const CONTINUED: &str = "one \
    two";
const QUOTE: char = '"';
const APOS: char = '\'';
const BYTES: &[u8] = b"/*";

struct Tally<'src> {
    counts: HashMap<&'src str, usize>, /* per word */
}

impl<'src> Tally<'src> {
    fn add(&mut self, word: &'src str) {
        *self.counts.entry(word).or_insert(0) += 1;
    }
}

fn main() {
    let mut t = Tally { counts: HashMap::new() };
    for w in split("a b a", ' ') {
        t.add(w);
    }
    println!("{} {} {} {} {}", t.counts.len(), PATTERN, MULTI, ESCAPED, CONTINUED);
    let _ = (QUOTE, APOS, BYTES); /* nested /* comment */ after code */
}
