#!/usr/bin/awk -f
# Totals the second field of each line by the first, and counts a few kinds of line.

BEGIN { FS = ":"; count = 0 }   # the field separator

/^#/ { next }                   # a pattern: lines that start with '#'
$1 ~ /"quoted"|#/ { quoted++ }  # an ERE holds a quote and a '#'
!/;/ && NF > 1 {
    total[$1] += $2 / 2 / 1     # division, then a comment
    count++
}
{ ratio = NR / 2 }              # division after an operand
/a\/b/, /end#/ { print "range" }

function show(name, value) {
    printf "%s\t%d # not a comment\n", name, value
}

END {
    for (name in total)
        show(name, total[name])
    print "done" \
        "; # continued"
    if (count ~ /^[0-9]+$/ || (quoted !~ /#/)) print count
    n = split("a#b", parts, /#/)
    # the last comment
}
