#!/usr/bin/env bash
# The merge step's benchmark: the PDF writer beside the PostScript writer and
# beside the Ghostscript route (the merged PostScript made into a PDF by
# Ghostscript), on two cards.
#
#   scripts/bench-merge.sh CARD-FOLDER
#
# CARD-FOLDER holds the example card's job as the plug-in wrote it (card.ddf,
# card.ps). The light card is that job; the heavy card is the same job with
# about 150 KB of vector artwork and a 300 KB photograph (a JPEG) drawn on its
# master's first page, made here. For each card: 100,000 copies merged to
# PostScript and to PDF (time, copies per second, peak memory), 1,000 copies
# to PDF (bytes per copy from the two sizes, and the bytes stored once), and
# 1,000 copies through the Ghostscript route (time, scaled per copy); the
# PDF to the standard (the default) beside the plain one (--pdf-standard
# none): copies per second and bytes per copy. Last,
# 1,000,000 copies of the light card to PDF, for the peak memory.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
card=$(cd "$1" && pwd)
install_packages bc imagemagick qpdf time

cmake --preset bench > /dev/null
cmake --build --preset bench --target nebmerge > /dev/null
nebmerge=build/bench-native/merge/nebmerge

# The customers of the example, numbered, repeated to the count.
customers() {
  perl -e 'local $/ = "\r\n\r\n"; my @c = grep { /\S/ } <STDIN>;
           for my $i (0 .. $ARGV[0] - 1) { my $x = $c[$i % 5]; $x =~ s/\r\n/ @{[$i + 1]}\r\n/;
                                           $x .= "\r\n\r\n" unless $x =~ /\r\n\r\n$/; print $x }' \
    "$1" < examples/customers.txt > "$card/customers-$1.txt"
}
for count in 1000 100000; do customers $count; done

# The heavy master: the card's, its first page drawing first 2,500 random
# curves (the same every run) and a 960 x 720 photograph.
convert -seed 7 -size 960x720 plasma:fractal -quality 93 "$card/photo.jpg"
perl -e '
  srand(7);
  my $art = "gsave 0.5 setlinewidth\n";
  for (1 .. 2500) {
    $art .= sprintf("%.1f %.1f %.1f setrgbcolor %.1f %.1f moveto %.1f %.1f %.1f %.1f %.1f %.1f curveto stroke\n",
                    rand(), rand(), rand(), map { rand(612) } 1 .. 8);
  }
  $art .= "grestore\n";
  open(my $jpeg, "<:raw", $ARGV[0]) or die; local $/; my $data = <$jpeg>;
  my $hex = unpack("H*", $data); $hex =~ s/(.{96})/$1\n/g;
  $art .= "gsave 36 420 translate 288 216 scale /DeviceRGB setcolorspace\n" .
          "<< /ImageType 1 /Width 960 /Height 720 /BitsPerComponent 8 /Decode [0 1 0 1 0 1]\n" .
          "   /ImageMatrix [960 0 0 -720 0 720]\n" .
          "   /DataSource currentfile /ASCIIHexDecode filter /DCTDecode filter >> image\n" .
          "$hex>\ngrestore\n";
  open(my $master, "<:raw", $ARGV[1]) or die; my $text = <$master>;
  $text =~ s/^(%%Page: 1 1\r?\n)/$1$art/m or die "no first page";
  print $text;' "$card/photo.jpg" "$card/card.ps" > "$card/heavy.ps"

# Runs nebmerge, its seconds and peak KB in $seconds and $peak.
measure() {
  /usr/bin/time -f '%e %M' -o "$card/time.txt" "$nebmerge" "$@" > /dev/null
  read -r seconds peak < "$card/time.txt"
}
ratio() { printf '%.2f' "$(echo "$1" | bc -l)"; }

for name in light heavy; do
  master=()
  [ $name = heavy ] && master=(--ps "$card/heavy.ps")
  job=("$card/card.ddf")
  measure "${job[@]}" "$card/customers-100000.txt" "${master[@]}" --out "$card/$name-merged.ps"
  ps_seconds=$seconds
  measure "${job[@]}" "$card/customers-100000.txt" "${master[@]}" --pdf "$card/$name.pdf"
  pdf_seconds=$seconds pdf_peak=$peak
  measure "${job[@]}" "$card/customers-1000.txt" "${master[@]}" --pdf "$card/$name-1000.pdf"
  qpdf --check "$card/$name-1000.pdf" > /dev/null
  big=$(wc -c < "$card/$name.pdf")
  small=$(wc -c < "$card/$name-1000.pdf")
  per_copy=$(echo "($big - $small) / 99000" | bc -l)
  once=$(echo "$small - 1000 * $per_copy" | bc -l)
  # The same without the standard: the plain PDF.
  measure "${job[@]}" "$card/customers-100000.txt" "${master[@]}" --pdf "$card/$name-plain.pdf" \
    --pdf-standard none
  plain_seconds=$seconds
  "$nebmerge" "${job[@]}" "$card/customers-1000.txt" "${master[@]}" --pdf "$card/$name-plain-1000.pdf" \
    --pdf-standard none > /dev/null
  plain_per_copy=$(echo "($(wc -c < "$card/$name-plain.pdf") - $(wc -c < "$card/$name-plain-1000.pdf")) / 99000" | bc -l)
  # The Ghostscript route: the merged PostScript of 1,000 copies into a PDF.
  "$nebmerge" "${job[@]}" "$card/customers-1000.txt" "${master[@]}" --out "$card/route.ps" > /dev/null
  start=$(date +%s.%N)
  gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -o "$card/route.pdf" "$card/route.ps"
  gs_seconds=$(echo "$(date +%s.%N) - $start" | bc -l)
  echo "merge $name card: master $(wc -c < "${master[1]:-$card/card.ps}") bytes"
  printf '  100,000 copies to PostScript: %.2f s; to PDF: %.2f s (%.0f copies/s, %s x the PostScript writer), peak memory %d MB\n' \
    "$ps_seconds" "$pdf_seconds" "$(echo "100000 / $pdf_seconds" | bc -l)" \
    "$(ratio "$pdf_seconds / $ps_seconds")" $((pdf_peak / 1024))
  printf '  PDF: %d bytes for 100,000 copies: %.0f stored once, %.0f per copy\n' "$big" "$once" "$per_copy"
  printf '  PDF/X-4 and PDF/VT-1 against the plain PDF: %.0f against %.0f copies/s (%s x), %.0f against %.0f bytes per copy (%s x)\n' \
    "$(echo "100000 / $pdf_seconds" | bc -l)" "$(echo "100000 / $plain_seconds" | bc -l)" \
    "$(ratio "$plain_seconds / $pdf_seconds")" "$per_copy" "$plain_per_copy" "$(ratio "$per_copy / $plain_per_copy")"
  printf '  Ghostscript route, 1,000 copies: %.2f s (%.0f pages/s), %d bytes; per copy the PDF writer is %s x faster\n' \
    "$gs_seconds" "$(echo "2000 / $gs_seconds" | bc -l)" "$(wc -c < "$card/route.pdf")" \
    "$(ratio "($gs_seconds / 1000) / ($pdf_seconds / 100000)")"
  rm -f "$card/$name-merged.ps" "$card/$name.pdf" "$card/route.ps" "$card/route.pdf" \
    "$card/$name-plain.pdf" "$card/$name-plain-1000.pdf"
done

customers 1000000
measure "$card/card.ddf" "$card/customers-1000000.txt" --pdf "$card/cards-1000000.pdf"
printf 'merge light card: 1,000,000 copies to PDF: %.1f s (%.0f copies/s), peak memory %d MB, %d bytes\n' \
  "$seconds" "$(echo "1000000 / $seconds" | bc -l)" $((peak / 1024)) "$(wc -c < "$card/cards-1000000.pdf")"
rm -f "$card/cards-1000000.pdf" "$card/customers-1000000.txt"
