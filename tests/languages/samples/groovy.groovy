#!/usr/bin/env groovy
// Counts words, and shows Groovy's strings.

/* A block comment
   // with a line comment inside */
def countWords(String text) {
    text.split(/\s+/).findAll { it }.size() // a slashy string as the pattern
}

def single = 'it\'s // not a comment'
def gstring = "a /* b */ ${single.size()} \" c"
def triple = '''
// text in a triple-quoted string

'''
def slashy = /a "quoted" \/ path # and // text/
def dollar = $/a $/ and / and "quoted" // text/$
def ratio = 10 / 2 / 5 // division, then a comment
def matches = 'abc' ==~ /a.c/ && !('x' =~ /y"/)
def multi = /first line
// not a comment inside a slashy string
last/
println countWords("a b") + ratio + gstring + triple + slashy + dollar + matches + multi
