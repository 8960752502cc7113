#!/usr/bin/perl
# Walks every tag of a production index with XBase::Index (an MDX reader
# independent of the engine) and checks it against the table read with
# XBase: every record exactly once (for tags without FOR clause or UNIQUE),
# keys in order, and for a tag on one field its key equal to the field.
# Prints "TAG name entries" per tag; exits 1 with "FAIL ..." on a fault.
#   walk_mdx.pl TABLE.DBF INDEX.MDX [ORDER.TXT ENCODING]
# Character keys are checked in byte order, or, with ORDER.TXT, in the order
# that file states: its characters (UTF-8) from first to last, converted to
# the table's ENCODING; keys compare character by character by their place
# in that list, and a key byte the list lacks is a fault.
use strict;
use warnings;
use Encode ();
use XBase;
use XBase::Index;

my ($dbf_path, $mdx_path, $order_path, $encoding) = @ARGV;
my $table = XBase->new(name => $dbf_path, ignorememo => 1) or die "FAIL table: " . XBase->errstr;
my $records = $table->last_record + 1;
my %type = map { uc($_) => $table->field_type($_) } $table->field_names;

sub fail { print "FAIL @_\n"; exit 1; }

my %place;    # byte => place in the stated order
if (defined $order_path) {
    open my $fh, '<:raw', $order_path or fail("order: $!");
    my $text = do { local $/; <$fh> };
    my $bytes = Encode::encode($encoding, Encode::decode('UTF-8', $text, Encode::FB_CROAK), Encode::FB_CROAK);
    my $n = 0;
    for my $byte (split //, $bytes) {
        fail(sprintf "order: byte 0x%02X listed twice", ord $byte) if exists $place{$byte};
        $place{$byte} = $n++;
    }
}

sub compare_text {
    my ($a, $b, $where) = @_;
    return $a cmp $b unless %place;
    my $common = length($a) < length($b) ? length($a) : length($b);
    for my $i (0 .. $common - 1) {
        my ($x, $y) = (substr($a, $i, 1), substr($b, $i, 1));
        for my $c ($x, $y) {
            fail(sprintf "%s: byte 0x%02X has no place in the stated order", $where, ord $c) unless exists $place{$c};
        }
        return $place{$x} <=> $place{$y} if $place{$x} != $place{$y};
    }
    return length($a) <=> length($b);
}

sub julian {
    my ($y, $m, $d) = @_;
    my $a = int((14 - $m) / 12);
    my $yy = $y + 4800 - $a;
    my $mm = $m + 12 * $a - 3;
    return $d + int((153 * $mm + 2) / 5) + 365 * $yy + int($yy / 4) - int($yy / 100) + int($yy / 400) - 32045;
}

sub bcd_value {
    my ($key) = @_;
    my @b = unpack 'C12', $key;
    my $count = ($b[1] >> 2) & 0x1F;
    return 0 if $count == 0;
    my $digits = join '', map { sprintf '%02X', $_ } @b[2 .. 11];
    $digits = substr($digits, 0, $count);
    my $value = ('0.' . $digits) * (10 ** ($b[0] - 0x34));
    return ($b[1] & 0x80) ? -$value : $value;
}

my $probe = XBase::Index->new($mdx_path, dbf => $table) or fail("index: " . XBase::Index->errstr);
for my $tag_name ($probe->tags) {
    my $index = XBase::Index->new($mdx_path, dbf => $table, tag => $tag_name)
        or fail("tag $tag_name: " . XBase::Index->errstr);
    my $tag = $index->{'active'};
    my $key_type = $tag->{'key_type'};
    $index->seek_to(($tag->{'header_page'}) * 512);
    my $header;
    $index->{'fh'}->read($header, 1024);
    my ($expr) = unpack '@24Z221', $header;
    my $has_for = unpack '@245C', $header;
    my $descending = (unpack('@8C', $header) & 0x08) ? 1 : 0;
    my $unique = (unpack('@8C', $header) & 0x40) || unpack('@23C', $header);
    $expr =~ s/\s+$//;
    my $single_field = exists $type{uc $expr} ? uc $expr : undef;

    $index->prepare_select;
    my (%seen, @entries);
    while (my ($key, $recno) = $index->fetch) {
        fail("tag $tag_name: record $recno out of range") if $recno < 1 || $recno > $records;
        fail("tag $tag_name: record $recno twice") if $seen{$recno}++;
        push @entries, [$key, $recno];
    }
    fail("tag $tag_name: " . $index->errstr) if $index->errstr;
    if (!$has_for && !$unique) {
        fail("tag $tag_name: " . scalar(@entries) . " entries for $records records") if @entries != $records;
    }
    my $value = sub {
        my ($key) = @_;
        return $key_type eq 'N' ? bcd_value($key) : $key_type eq 'D' ? unpack('d<', $key) : $key;
    };
    for my $i (1 .. $#entries) {
        my ($a, $b) = ($value->($entries[$i - 1][0]), $value->($entries[$i][0]));
        my $cmp = $key_type eq 'C' ? compare_text($a, $b, "tag $tag_name") : ($a <=> $b);
        $cmp = -$cmp if $descending;
        fail("tag $tag_name: records $entries[$i-1][1] and $entries[$i][1] out of order") if $cmp > 0;
    }
    if (defined $single_field) {
        my %pos;
        my @names = $table->field_names;
        @pos{map { uc } @names} = (0 .. $#names);
        for my $entry (@entries) {
            my ($key, $recno) = @$entry;
            my @row = $table->get_record_nf($recno - 1, $pos{$single_field});
            my $field = $row[1];
            my $ok;
            if ($key_type eq 'C') {
                (my $k = $key) =~ s/\s+$//;
                $field = '' unless defined $field;
                $field =~ s/\s+$//;
                $ok = $k eq $field;
            } elsif ($key_type eq 'D') {
                $ok = defined $field && $field =~ /^(\d{4})(\d\d)(\d\d)$/ && julian($1, $2, $3) == unpack('d<', $key);
            } else {
                $ok = abs(bcd_value($key) - ($field || 0)) < 1e-9;
            }
            fail("tag $tag_name: record $recno key does not match field $single_field") unless $ok;
        }
    }
    print "TAG $tag_name " . scalar(@entries) . "\n";
}
