#!/usr/bin/env node
// report.js - template literals, escapes and comment markers in strings.
'use strict';

const path = require('path');

/*
 * Settings. A "string" inside a comment is comment text.

 * The line above is blank, even inside the comment.
 */
const settings = {
  pattern: '/* not a comment */',
  url: "http://example.com/a//b", // the URL holds two slashes
  quote: 'it\'s "quoted"',
  long: 'first half \
second half',
};

const page = `<!doctype html>
<title>// not a comment</title>

<p>/* still the template */</p>`;

function render(name) {
  /* inline */ const who = name || 'world';
  return `hello ${who}`; /* the hole holds only a name */
}

/** JSDoc block
 * @returns {number}
 */
function count(list) {
  return list.length; // trailing comment
}

const TOKEN = /[^^_`a-zA-Z\-0-9!#$%&'*+.|~]/; // a backtick and a quote inside a regular expression
// a comment: the backtick above opened no template literal
const half = count([1, 2]) / 2 / 1; // division after an operand
const parts = 'a/b'.split(/\//).filter((p) => /^"?\w/.test(p)); // after ( and =>
const quoted = (s) => { return /'/.test(s); }; // after return, holding a quote

module.exports = { settings, page, render, count };
console.log(render('x'), count([1, 2]), path.sep, TOKEN, half, parts, quoted);
