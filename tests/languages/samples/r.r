#!/usr/bin/env Rscript
# Summarises a data frame; a comment runs to the end of the line.

summarise <- function(df, column = "value") { # a default argument
  total <- sum(df[[column]])
  label <- 'it\'s # not a comment'
  path <- "C:\\data # text" # an escaped backslash, then a comment
  `odd # name` <- 3 # a backquoted name holds a '#'
  raw <- r"(a "quoted" # text)" # a raw string
  raw2 <- R"---[with ]" inside]---"
  multi <- "a string
  # spanning lines

  ends here"
  list(total = total, label = label, path = path, odd = `odd # name`,
       raw = raw, raw2 = raw2, multi = multi)
}

print(summarise(data.frame(value = 1:3)))
