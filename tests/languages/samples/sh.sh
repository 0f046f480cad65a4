#!/bin/sh
# backup.sh - copies files and writes a manifest.
set -eu

src=${1:-.}
name="backup # not a comment"
tag='it'\''s #1'
count=${#name}          # length of $name
echo a#b                # a#b is one word
echo "$name" '# quoted'

usage() {
	cat <<-EOF
	usage: $0 DIR
	# heredoc text, not a comment
	
	EOF
}

manifest() {
	cat <<'END'
files in $src are listed below # literally
END
}

# Long command with a continued line.
find "$src" -type f \
    -name '*.txt' | sort > /tmp/manifest.$$

multi="first line
# second line, still in double quotes
"
case "$src" in
  /*) echo absolute ;;   # a pattern, then a comment
  *) echo relative ;;
esac
usage; manifest
echo "$count $tag $multi"
