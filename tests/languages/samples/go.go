//go:build linux || darwin

// Package main counts words; this is the package comment.
package main

import (
	"fmt"
	"strings"
)

/*
Usage text lives in a raw string below.

The blank line above is inside this comment.
*/
const usage = `usage: tally [FILE]
  // not a comment: raw strings keep every byte
  /* nor this */

  backslashes stay: \n \t \"`

var sep = "/*"   // a string holding an opener
var quote = '"'  // a rune holding a double quote
var tick = '`'   // a rune holding a back quote
var apos = '\''  /* escaped apostrophe */

type counter struct {
	words map[string]int // word -> count
}

func (c *counter) add(text string) {
	for _, w := range strings.Fields(text) { /* split on blanks */
		c.words[w]++
	}
}

func main() {
	c := &counter{words: map[string]int{}}
	c.add("a b a // c \"d\"")
	fmt.Println(len(c.words), usage, sep, string(quote), string(tick), string(apos))
}
