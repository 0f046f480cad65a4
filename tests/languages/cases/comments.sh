  # indented
echo a#b ${#x}
x=1; # after a semicolon
	# tab
cat <<-EOF
	# heredoc text
	EOF
# c
