#!/usr/bin/env node
// JavaScript files read by acorn's tokenizer, line by line, against a Varnik scan.
//
//   check-js-lines.js ACORN VARNIK_JSON [OUT.csv]
//
// ACORN is the acorn package's folder (npm install acorn). Counting rules (Varnik's,
// docs/language-table.md): a line holding only blanks (space, tab, CR, FF, VT) is blank,
// wherever it stands; otherwise a line with any token is code, string and template text
// included; otherwise a line with comment text (a #! first line included) is comment.
// A file is read as a module, or as a script when it is none.
const fs = require('fs');
const acorn = require(process.argv[2]);
const BLANK = /^[ \t\r\f\v]*$/;

// "b", "c" or "m" for each line of `src`, or null when acorn cannot read it.
function classes(src) {
  const lines = src.split('\n');
  if (src.endsWith('\n')) lines.pop();
  const starts = [];
  let offset = 0;
  for (const line of lines) {
    starts.push(offset);
    offset += line.length + 1;
  }
  const lineAt = (pos) => {
    let lo = 0;
    let hi = starts.length - 1;
    while (lo < hi) {
      const mid = (lo + hi + 1) >> 1;
      if (starts[mid] <= pos) lo = mid;
      else hi = mid - 1;
    }
    return lo;
  };
  const code = [];
  const comment = [];
  // A token or a comment marks each line where it holds more than blanks.
  const mark = (start, end, marks) => {
    let line = lineAt(start);
    for (const piece of src.slice(start, end).split('\n')) {
      if (!BLANK.test(piece)) marks[line] = true;
      line++;
    }
  };
  const options = {
    ecmaVersion: 'latest',
    allowHashBang: true,
    allowReturnOutsideFunction: true,
    allowImportExportEverywhere: true,
    allowAwaitOutsideFunction: true,
    onComment: (block, text, start, end) => mark(start, end, comment),
  };
  for (const sourceType of ['module', 'script']) {
    try {
      const tokens = [...acorn.tokenizer(src, { ...options, sourceType })];
      for (const token of tokens) mark(token.start, token.end, code);
      return lines.map((line, i) => (BLANK.test(line) ? 'b' : code[i] ? 'c' : comment[i] ? 'm' : 'b'));
    } catch (error) {
      code.length = comment.length = 0;
    }
  }
  return null;
}

function javascriptFiles(node, found) {
  if (node.kind === 'folder') {
    for (const child of node.nodes || []) javascriptFiles(child, found);
    return found;
  }
  const counters = Object.fromEntries(node.counters.map((c) => [c.name, c]));
  if (counters.File.counters[0].name !== 'JavaScript') return found;
  const line = Object.fromEntries(((counters.Line || {}).counters || []).map((c) => [c.name, c.count]));
  found.push([node.name, line.Blank || 0, line.Code || 0, line.Comment || 0]);
  return found;
}

const files = javascriptFiles(JSON.parse(fs.readFileSync(process.argv[3], 'utf8')).root, []);
let same = 0;
let unread = 0;
const differ = [];
for (const [path, ...theirs] of files) {
  const marks = classes(fs.readFileSync(path, 'utf8'));
  if (marks === null) {
    unread++;
    continue;
  }
  const ours = ['b', 'c', 'm'].map((k) => marks.filter((mark) => mark === k).length);
  if (ours.every((count, i) => count === theirs[i])) same++;
  else differ.push([path, ...theirs, ...ours].join(','));
}
console.log(`JavaScript files whose blank, code and comment counts equal acorn's: ` +
            `${same} of ${files.length - unread} (${unread} acorn cannot read)`);
if (process.argv[4]) {
  const header = 'file,varnik blank,code,comment,acorn blank,code,comment\n';
  fs.writeFileSync(process.argv[4], header + differ.map((row) => row + '\n').join(''));
}
