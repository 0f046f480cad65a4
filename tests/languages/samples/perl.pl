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

# Quote-like operators take any delimiter.
my @words  = qw/s m y/;              # operator names as words of a list
my $nested = q{a {nested} # brace};
my $angle  = qq<#$last>;
my $bang   = q!# bang!;
my $cmd    = qx[echo #];
(my $path = $0) =~ s#/[^/]*$##;     # a hash as the delimiter
$path =~ tr/a-z/A-Z/;
$path =~ y{A-Z}
          {a-z};
my $re = qr(#\d+)x;
print "match\n" if $hash =~ m{#not};
$hash =~ s {not}   # the pattern
           # then the replacement
           {un};
$path =~ s#a#b#; my $list = q{
# a string: the first # above is a delimiter
};
my $multi = qq(
# inside qq, across lines

);
my %opts = (q => 1, s => 2, y => 3);
my $key  = $opts{s} + $opts{ y };   # hash keys, not operators
my $size = -s $0;                   # a file test
my @esc  = (q(a\)b), q#\##);        # escaped delimiters
my $half = $size / 2;               # after a term, / divides
my @cols = split /[,#]/, $path;     # a bare match after split
if ($path =~ /don't|"/i) {
    # a comment: the quotes above stand in the match
}

sub tally {
    my (%seen) = ();
    $seen{$_}++ for @_;    # count each word
    my $note = <<~EOT;
        # indented heredoc text
        EOT
    return scalar(keys %seen) . $note;
}

print tally(@items), " $last $hash $esc\n", $help, $raw, $quoted;
__END__
# after __END__ the rest is data, not code
print "never run\n";

=pod still data
