cat <<END-OF.TEXT
it's text
END-OF.TEXT
# c
: <<=cut
=head1 Don't
=cut
# c
