# Writes the common words of one language, one a line, sorted, in UTF-8, from Debian's
# liblingua-stopwords-perl. Usage: perl list-words.pl LANGUAGE OUTPUT
use strict;
use warnings;
use Lingua::StopWords qw(getStopWords);

my ($language, $output) = @ARGV;
my $words = getStopWords($language, 'UTF-8') or die "no list of common words for $language\n";
open(my $out, '>:encoding(UTF-8)', $output) or die "$output: $!\n";
print $out "$_\n" for sort keys %$words;
close($out) or die "$output: $!\n";
