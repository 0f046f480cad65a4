#!/usr/bin/env julia
# Counts the words of a text, and shows Julia's literals.

#= A block comment
   #= nests =# and runs on
   past the inner close =#

"""
    count_words(text)

Return the number of words in `text`.
"""
function count_words(text::AbstractString)
    length(split(text)) # a comment after code
end

const QUOTE = '"' # a character literal holding a quote
const HASH = "a # b \" c" # '#' and an escaped quote inside a string
const MULTI = """
    # text in a triple-quoted string

    """
const RAW = raw"C:\path # text"
adjoint = [1 2; 3 4]' # the adjoint operator after ]
println(count_words("a b"), QUOTE, HASH, MULTI, RAW, adjoint, 'x', '\'')
