case $p in *\'*) q=x;; esac
# after a quoted quote
echo \"text \# not a comment
echo \\'# a string'
# c
