#!/usr/bin/env bash
# The run command: builds the plug-in and the stand-in host and shows the two
# halves of the product on the example, a two-page card, as a user would.
#
# 1. The job: the host starts the plug-in on the ready-made example
#    publication, runs "NEB Produce Variable Data Job...." (the Job Files
#    dialog is confirmed, and photographed, unattended) and shuts it down.
#    Into out/demo:
#      card.ddf             the document definition file for the merge step
#      card.ps              the publication printed to disk (checked by Ghostscript)
#      job-files-dialog.png the Job Files dialog as the user saw it
#      card.pub.json        the publication as the host saved it afterwards
#      requests.log         every request the plug-in made of the host
# 2. Authoring: the same publication without any data field, and with plain
#    text blocks where the example has its placeholders. "NEB Define Variable
#    Data Fields..." picks customers.txt, selects the first copy and marks the
#    four fields through the three dialogs; "NEB Create Variable Data
#    Object..." turns each text block into a named object tied to its field
#    through the Named Object dialog; all driven by the host's script file.
#    The publication is saved, opened again and its job produced. Into
#    out/demo/authoring: the publication, the job, the script (authoring.txt),
#    and pictures of the dialogs (select-copy.png, name-field.png,
#    define-fields.png, named-object-text.png, named-object-picture.png). The
#    stored fields and the .ddf must equal those of the ready-made example.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$NEB_ROOT"
bash scripts/setup.sh
cmake --preset win32 > /dev/null
cmake --build --preset win32 --target nebvdata pubhost keepalive

out="$NEB_ROOT/out/demo"
authoring="$out/authoring"
rm -rf "$out"
mkdir -p "$out" "$authoring"

# Runs the host in FOLDER with the publication and the answers given; the
# Job Files dialog, when it says it is ready, is photographed into
# FOLDER/job-files-dialog.png (a run that shows no such dialog leaves none).
#   run_host FOLDER PUBLICATION ANSWERS STEP...
run_host() {
  local folder=$1 publication=$2 answers=$3
  shift 3
  local host=(wine "$NEB_ROOT/build/win32/host/pubhost.exe"
              "$(winpath "$NEB_ROOT/build/win32/nebvdata.add")" "$(winpath "$publication")"
              --log "$(winpath "$folder/requests.log")" --ui "$(winpath "$answers")" "$@")
  cat > "$folder/run.sh" <<EOT
( for i in \$(seq 1 600); do
    [ -f ${folder@Q}/shot.done ] && break
    if [ -f ${folder@Q}/shot.ready ]; then
      xwd -root -silent > ${folder@Q}/job-files-dialog.xwd
      touch ${folder@Q}/shot.done
      break
    fi
    sleep 0.1
  done ) &
cd ${folder@Q}
${host[*]@Q}
status=\$?
touch ${folder@Q}/shot.done
wait
exit \$status
EOT
  where_wine_runs bash scripts/in-wine.sh bash "$folder/run.sh"
  rm -f "$folder/shot.ready" "$folder/shot.done" "$folder/run.sh"
  if [ -s "$folder/job-files-dialog.xwd" ]; then
    /usr/bin/convert "xwd:$folder/job-files-dialog.xwd" "$folder/job-files-dialog.png"
  fi
  rm -f "$folder/job-files-dialog.xwd"
}

echo "== demo: the job of the ready-made example"
example_publication "$out" > "$out/card.pub.json"
echo "dialog 1 snapshot=$(winpath "$out/shot")" > "$out/answers.txt"
run_host "$out" "$out/card.pub.json" "$out/answers.txt" startup command:3 shutdown
gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage "$out/card.ps"
echo "demo: Ghostscript accepts $out/card.ps"
echo "demo: $out/card.ddf reads:"
cat "$out/card.ddf"

echo "== demo: authoring the example's data fields through the dialogs"
# The publication without the sample file, its copy and its fields, and with a
# text block in the place of each placeholder: the greeting in Arial bold, 18
# on 22 points, the address lines in Times New Roman, 11 on 13 points.
example_publication "$authoring" | jq '
  .privateStrings |= map(select(.index == 3))
  | .pages |= map(.objects |= map(
      if .kind == 11 then
        {id, number, kind: 1, bounds,
         text: (if .id == 2 then {font: "Arial", size: 180, leading: 220, style: 2}
                else {font: "Times New Roman", size: 110, leading: 130, style: 0} end)}
      else . end))' > "$authoring/card.pub.json"
sample=$(winpath "$NEB_ROOT/examples/customers.txt")
cat > "$authoring/authoring.txt" <<EOT
# The sample file, first chosen: the Open dialog starts in the publication's folder.
openfile $sample
# The first complete copy: the first customer and the blank line after it,
# dragged from its end up to its start.
dialog 1 select=1010:51:0 image=$(winpath "$authoring/select-copy.bmp")
# Each field: its text selected in the copy, Add..., and a name.
dialog 1003 select=1085:0:8 stays
dialog 1 1021=Name image=$(winpath "$authoring/name-field.bmp")
dialog 1003 select=1085:10:24 stays
dialog 1 1021=Street
dialog 1003 select=1085:26:37 stays
dialog 1 1021=City
dialog 1003 select=1085:39:47 stays
dialog 1 1021=Zip
dialog 1087 image=$(winpath "$authoring/define-fields.bmp")
# Each text block: a name and its data field in the Named Object dialog.
dialog 1 1051=Greeting pick=1081:0 image=$(winpath "$authoring/named-object-text.bmp")
dialog 1 1051=NameLine pick=1081:0
dialog 1 1051=StreetLine pick=1081:1
dialog 1 1051=CityLine pick=1081:2
dialog 1 1051=ZipLine pick=1081:3
# The picture on page 2 is looked at and left as it is.
dialog 2 image=$(winpath "$authoring/named-object-picture.bmp")
EOT
run_host "$authoring" "$authoring/card.pub.json" "$authoring/authoring.txt" \
  startup command:2 select:2 command:1 select:4 command:1 select:5 command:1 \
  select:6 command:1 select:7 command:1 select:3 command:1 shutdown
for image in select-copy name-field define-fields named-object-text named-object-picture; do
  /usr/bin/convert "$authoring/$image.bmp" "$authoring/$image.png"
  rm -f "$authoring/$image.bmp"
done
# Opened again: the stored fields read back, and the job is produced from them.
echo "dialog 1" > "$authoring/answers.txt"
run_host "$authoring" "$authoring/card.pub.json" "$authoring/answers.txt" \
  startup command:3 shutdown strings

fields() { jq -c '[.privateStrings[] | select(.index != 2 and .index != 3)]' "$1"; }
if [ "$(fields "$authoring/card.pub.json")" != "$(fields "$out/card.pub.json")" ]; then
  echo "demo: the fields made through the dialogs differ from the example's:" >&2
  diff <(fields "$out/card.pub.json" | jq .) <(fields "$authoring/card.pub.json" | jq .) >&2 || true
  exit 1
fi
echo "demo: the fields made through the dialogs are stored as the example's"
if ! diff <(sed 's/\\authoring\\/\\/' "$authoring/card.ddf") "$out/card.ddf" > /dev/null; then
  echo "demo: the job of the authored publication differs from the example's:" >&2
  diff <(sed 's/\\authoring\\/\\/' "$authoring/card.ddf") "$out/card.ddf" >&2 || true
  exit 1
fi
echo "demo: the authored publication's job equals the example's ($authoring/card.ddf)"

echo "== demo: the merge step checks the customers and merges one card for each"
cmake --preset native > /dev/null
cmake --build --preset native --target nebmerge pdf_contract
nebmerge="$NEB_ROOT/build/native/merge/nebmerge"
# The PDF as a press's front end takes it: every rule of PDF/X-4 and
# PDF/VT-1 the contract reads, and every page rendered by Ghostscript,
# poppler and MuPDF without a message (Debian's mutool has no colour engine,
# and says so of every file).
check_press_pdf() {
  "$NEB_ROOT/build/native/tests/merge/pdf_contract" "$1"
  pdfinfo -meta "$1" | grep -E "<pdf(x|vt)id:GTS_PDF(X|VT)Version>"
  local shots messages
  shots=$(mktemp -d)
  messages=$( { gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r50 -o "$shots/gs-%d.png" "$1"
                pdftoppm -r 50 "$1" "$shots/poppler"
                mutool draw -q -r 50 -o "$shots/mupdf-%d.png" "$1"; } 2>&1 |
              grep -v "^warning: ICC support is not available$" || true)
  rm -rf "$shots"
  [ -z "$messages" ] || { echo "demo: rendering $1 said: $messages" >&2; exit 1; }
  echo "demo: Ghostscript, poppler and MuPDF render every page of $1 without a message"
}
echo "\$ nebmerge out/demo/card.ddf examples/customers.txt --check"
"$nebmerge" "$out/card.ddf" "$NEB_ROOT/examples/customers.txt" --check | tee "$out/check.txt"
echo "\$ nebmerge out/demo/card.ddf examples/customers.txt --out out/demo/cards.ps" \
  "--pdf out/demo/cards.pdf --png out/demo/card"
"$nebmerge" "$out/card.ddf" "$NEB_ROOT/examples/customers.txt" --out "$out/cards.ps" \
  --pdf "$out/cards.pdf" --png "$out/card" > /dev/null
echo "demo: $out/cards.pdf holds $(qpdf --show-npages "$out/cards.pdf") pages; previews" \
  "$out/card-1.png ... $out/card-$(ls "$out"/card-*.png | wc -l).png"
# The PDF as a press's software reads it: valid, every font embedded.
qpdf --check "$out/cards.pdf" | grep "^No syntax"
pdffonts "$out/cards.pdf"
check_press_pdf "$out/cards.pdf"
# Every page of the PDF against the same page of the PostScript, both
# rendered by Ghostscript at 100 dpi: the pixels that differ (at most 20, the
# anti-aliasing of an edge).
compare_dir=$(mktemp -d)
for file in cards.ps cards.pdf; do
  gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r100 -o "$compare_dir/$file-%d.png" "$out/$file"
done
for ((page = 1; page <= $(qpdf --show-npages "$out/cards.pdf"); page++)); do
  differ=$(compare -metric AE "$compare_dir/cards.ps-$page.png" "$compare_dir/cards.pdf-$page.png" \
    null: 2>&1 || true)
  echo "demo: page $page of the PDF and of the PostScript at 100 dpi: $differ pixels differ"
  [ "${differ%%.*}" -le 20 ] || { echo "demo: page $page differs" >&2; exit 1; }
done
rm -rf "$compare_dir"
# The first customer's card, front and back, for the README.
mkdir -p "$NEB_ROOT/docs"
/usr/bin/convert "$out/card-1.png" "$out/card-2.png" -bordercolor '#999999' -border 1 +append \
  "$NEB_ROOT/docs/card-preview.png"

echo "== demo: the merge step lays the cards on press sheets with a job ticket"
# The job with one more area, an inch square on the card's back beside the
# address, that the ticket draws as a QR code of the customer's name.
awk '{ print }
  /^ZipLine / { master = $0; sub(/^ZipLine .* On /, "", master); sub(/ 2 At .*/, "", master)
                printf "QrCode Is Graphic ScaleToFit On %s 2 At 144 420 For 72 72\r\n", master }
  /^Merge ZipLine / { printf "Merge QrCode Name\r\n" }' "$out/card.ddf" > "$out/press.ddf"
echo "\$ nebmerge out/demo/press.ddf examples/customers.txt --ticket examples/sheets.ticket.json" \
  "--pdf out/demo/sheets.pdf --png out/demo/sheet"
"$nebmerge" "$out/press.ddf" "$NEB_ROOT/examples/customers.txt" \
  --ticket "$NEB_ROOT/examples/sheets.ticket.json" --pdf "$out/sheets.pdf" --png "$out/sheet"
qpdf --check "$out/sheets.pdf" | grep "^No syntax"
check_press_pdf "$out/sheets.pdf"
# Each side's finishing code, rendered at 200 dpi and read back from its
# lower left corner.
for ((side = 1; side <= $(qpdf --show-npages "$out/sheets.pdf"); side++)); do
  gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pnggray -r200 -dFirstPage=$side -dLastPage=$side \
    -o "$out/finishing.png" "$out/sheets.pdf"
  echo "demo: side $side: finishing code \"$(dmtxread -N 1 -m 5000 -X 15% -Y 15% "$out/finishing.png")\""
done
rm -f "$out/finishing.png"
echo "demo: $out/sheets.pdf holds $(qpdf --show-npages "$out/sheets.pdf") sides of sheets;" \
  "previews $out/sheet-1.png ... $out/sheet-$(ls "$out"/sheet-*.png | wc -l).png"
# Every customer's QR code, read back from the backs by a decoder.
decoded=$(zbarimg --nodbus -q "$out/sheet-2.png" "$out/sheet-4.png" | sort)
echo "$decoded"
[ "$(echo "$decoded" | wc -l)" -eq 5 ] || { echo "demo: not every QR code reads" >&2; exit 1; }
# The first sheet, front and back, and the first customer's card back for
# the README.
/usr/bin/convert "$out/sheet-1.png" "$out/sheet-2.png" -bordercolor '#999999' -border 1 +append \
  -resize 900x "$NEB_ROOT/docs/press-sheet.png"
/usr/bin/convert "$out/sheet-2.png" -crop 396x612+477+63 +repage -bordercolor '#999999' \
  -border 1 "$NEB_ROOT/docs/qr-card.png"
