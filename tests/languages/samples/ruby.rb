#!/usr/bin/env ruby
# frozen_string_literal: true

=begin
Report generator.
  # indented text and "quotes" inside =begin are still comment

=end
require "json"

# Builds a small report from rows.
class Report
  HASH_SIGN = "#"           # a string holding the comment marker
  CHAR = ?#                 # character literal, not a comment
  QUOTED = 'it\'s "#1"'

  def initialize(rows)
    @rows = rows
    @lines = []
  end

  def header
    <<~TEXT
      # Report for #{@rows.size} rows
      not a comment: # here

    TEXT
  end

  def sql
    <<-'SQL'.strip
      SELECT * FROM t -- #{not interpolated}
      SQL
  end

  def body
    @rows.each { |r| @lines << "row #{r}" } # append, not a heredoc
    @lines.join("\n")
  end
end

puts Report.new([1, 2]).header, HASH_SIGN, CHAR, QUOTED

WORDS = %w[alpha # beta] # '#' inside %w is a word, then a comment
SYMBOLS = %i(a b) + %I<c#{WORDS.size} d>
SINGLE = %q(it's (nested) # text)
DOUBLE = %Q{#{WORDS.first} {braces} "quoted"}
BARE = %(a "b" # c) + %!d # e!
PATTERN = %r{/a/#b}ix
SHELL = %x(echo '#')
SYMBOL = %s(sym#bol)
LIST = %w(
  one # two

  three)
remainder = (7)%(3) # modulo after a closing bracket
remainder %= 2 # modulo assignment
FORMAT = /%s|-%>|<%[=#]?/ # a % inside a regexp opens no literal
OPERATORS = [:%, :+] # the modulo method's name
ROUTE = /#{PATTERN}|[#'"]/ # a regexp after = holds # and quotes as text
case "a#b"
when /a#b/, /"/ then puts :quoted # after when and after a comma
end
half = remainder / 2 # division after an operand, then a comment
ratio = (remainder) / 2 / 3 # division after a closing bracket
puts "x" if "a/b" =~ %r{/} || "#" !~ /#/ # after =~ and !~
puts [1, 2].select { |n| /1/ =~ n.to_s } # after a block's parameters
choice = half.zero? ? /y#/ : /n#/ # after the ? and the : of a condition
MULTI = /a
  # text in a regexp that spans lines
/x
LIST2 = [
  /at the start of a line, #/, # a regexp
]
SLASH = ?/ # a character literal, not a regexp
DIVIDE = [1, 2].sum(&:/) rescue 0 # the division method's name
MARK = "__END__"
p WORDS, SYMBOLS, SINGLE, DOUBLE, BARE, PATTERN, SHELL, SYMBOL, LIST, remainder, MARK
__END__
data after the end marker: # not lexed
puts "not code" %q(

last line
