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
