#!/usr/bin/env ruby
# Ruby files read by Ruby's own lexer (Ripper), line by line, against a Varnik scan.
#
#   check-ruby-lines.rb VARNIK_JSON [--csv OUT]   compare every Ruby file of a scan
#   check-ruby-lines.rb --lines FILE               print the class of each line of FILE
#
# Counting rules (Varnik's, docs/language-table.md): a line holding only blanks (space,
# tab, CR, FF, VT) is blank, wherever it stands; otherwise a line with any code byte is
# code, string text included; otherwise a line with comment text (comments, =begin
# blocks, the text after __END__) is comment.
require "csv"
require "json"
require "ripper"

COMMENT_TOKENS = %i[on_comment on_embdoc_beg on_embdoc on_embdoc_end].freeze
BLANK = /\A[ \t\r\f\v]*\z/.freeze

# "b", "c" or "m" for each line of `text`.
def classes(text)
  lines = text.split("\n", -1)
  lines.pop if text.end_with?("\n")
  code = Array.new(lines.size, false)
  comment = Array.new(lines.size, false)
  ending = nil
  Ripper.lex(text).each do |(line, _column), type, token, _state|
    if type == :on___end__
      ending = line
      break
    end
    # A token marks each line where it holds more than blanks; white space never does.
    marks = COMMENT_TOKENS.include?(type) ? comment : code
    token.split("\n", -1).each_with_index do |piece, i|
      marks[line - 1 + i] = true unless piece.match?(BLANK) || line + i > lines.size
    end
  end
  if ending
    code[ending - 1] = true
    (ending...lines.size).each { |i| comment[i] = true }
  end
  lines.each_index.map do |i|
    next "b" if lines[i].match?(BLANK)
    code[i] ? "c" : comment[i] ? "m" : "b"
  end
end

def counts(path)
  text = File.binread(path).force_encoding("UTF-8")
  text = text.b unless text.valid_encoding?
  marks = classes(text)
  [marks.count("b"), marks.count("c"), marks.count("m")]
end

def files(node, found)
  if node["kind"] == "folder"
    node.fetch("nodes", []).each { |child| files(child, found) }
    return found
  end
  counters = node["counters"].to_h { |c| [c["name"], c] }
  return found unless counters["File"]["counters"][0]["name"] == "Ruby"
  line = counters.fetch("Line", {}).fetch("counters", []).to_h { |c| [c["name"], c["count"]] }
  found[node["name"]] = [line.fetch("Blank", 0), line.fetch("Code", 0), line.fetch("Comment", 0)]
  found
end

if ARGV[0] == "--lines"
  text = File.binread(ARGV[1]).force_encoding("UTF-8")
  classes(text).each { |mark| puts mark }
  exit
end
varnik = files(JSON.parse(File.read(ARGV[0]))["root"], {})
differ = varnik.filter_map do |path, theirs|
  ours = counts(path)
  [path, *theirs, *ours] if ours != theirs
end
puts "Ruby files whose blank, code and comment counts equal Ripper's: " \
     "#{varnik.size - differ.size} of #{varnik.size}"
if ARGV[1] == "--csv"
  CSV.open(ARGV[2], "w") do |csv|
    csv << ["file", "varnik blank", "code", "comment", "ripper blank", "code", "comment"]
    differ.each { |row| csv << row }
  end
end
