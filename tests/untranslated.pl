# Russian string literals of the game's sources that no source text of a .ts file holds: texts
# the player would see untranslated. Prints each and fails when there is one.
#   untranslated.pl <ts file> <source files>...
use strict; use warnings;
my ($ts, @files) = @ARGV;
local $/;
open(my $fh, '<', $ts) or die "$ts: $!";
my $all = <$fh>;
my %entity = (quot => '"', apos => "'", amp => '&', lt => '<', gt => '>');
my $sources = join "\n", map { s/&(\w+);/$entity{$1}/gr } $all =~ m{<source>(.*?)</source>}gs;
my $bad = 0;
for my $file (@files) {
    open(my $in, '<', $file) or die "$file: $!";
    (my $text = <$in>) =~ s{^\s*//.*$}{}mg;
    while ($text =~ /"((?:[^"\\\n]|\\.)*)"/g) {
        my $literal = $1;
        next unless $literal =~ /[\xD0\xD1]/;
        $literal =~ s/\\n/\n/g;
        $literal =~ s/\\(.)/$1/g;
        next if index($sources, $literal) >= 0;
        print "$file: \"$literal\" is shown untranslated\n";
        $bad = 1;
    }
}
exit $bad;
