#!/usr/bin/env tclsh
# tally.tcl - counts words given on the command line.
# A comment ending in a backslash continues \
  onto this line.

package require Tcl 8.5

set sep "#"                 ;# a comment after ';'
set tag a#b                 ;# '#' inside a word is literal
set quote "say \"hi\" # still in quotes"
set multi "first line
# second line, inside the double quotes

last line"

# Counts each word of a line into the array named by arrName.
proc tally {arrName line} {
    upvar 1 $arrName counts
    # a comment at the start of a command in the body
    foreach word [split $line] {
        if {$word eq ""} continue
        incr counts($word)    ;# one more
    }
}

  # an indented comment
array set counts {}
tally counts "a b a"
foreach key [lsort [array names counts]] {
    puts "$key $counts($key)"
}
puts [string length $multi]
puts "$sep $tag $quote"
