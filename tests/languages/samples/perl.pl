#!/usr/bin/perl
use strict;
use warnings;

=head1 NAME

tally.pl - counts words; "# quotes" and # signs here are POD text.

=cut

# Word list and its last index.
my @items = qw(alpha beta gamma);
my $last  = $#items;            # $# is not a comment
my $hash  = "#not-a-comment";
my $esc   = 'it\'s a "# sign"';

my $help = <<"EOT";
usage: $0 [FILE]
# this line is heredoc text

EOT

my $raw = <<'RAW';
$not_interpolated # still text
RAW

my $quoted = q{first line
# second line, inside the quotes
};

sub tally {
    my (%seen) = ();
    $seen{$_}++ for @_;    # count each word
    my $note = <<~EOT;
        # indented heredoc text
        EOT
    return scalar(keys %seen) . $note;
}

print tally(@items), " $last $hash $esc\n", $help, $raw, $quoted;
