#!/usr/bin/env bash
# Rebuilds the data files that ship with the program from their UTF-8 sources in data/src/.
#
#   data/src/<path>  (UTF-8, LF)  ->  data/<path>  (CP932, CR LF)
#
# Everything the program reads is CP932, but CP932 files are unreadable in a diff, so the
# texts are kept and reviewed as UTF-8 and only converted here. Section files (*.dat) hold a
# section's text exactly: the line break that ends the source file is not part of the text,
# so a section whose text ends with a line break ends its source with an empty line, and an
# empty source gives a 0-byte file.
#
# The converted files are checked: they must decode back to their source, template and
# section lines must fit the composer's 70-byte wrap width, layout lines the 80-column
# ReadMe, and a project file must have its 18 lines.
#
# Last, data/ReadMe.txt (the program's own ReadMe) is composed from the sample project by
# the command-line composer, when one has been built; its last update date is the release
# date below, not today.
#
# Usage: scripts/make-data.sh          rebuild and check
#        scripts/make-data.sh --check  only check that data/ matches data/src/
set -euo pipefail
cd "$(dirname "$0")/.."

check_only=0
case "${1:-}" in
  "") ;;
  --check) check_only=1 ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

src=data/src
readme_date=2026/12/11
failed=0
fail() { echo "make-data: $*" >&2; failed=1; }

# The CP932 bytes of one source file, on stdout.
convert() {
  local file=$1
  if [[ $file == *.dat ]]; then
    perl -0777 -pe 's/\n\z//; s/\n/\r\n/g' "$file"
  else
    perl -0777 -pe 's/\n/\r\n/g' "$file"
  fi | iconv -f UTF-8 -t CP932
}

# Reports each line of a CP932 file (CR LF ends a line) longer than limit bytes.
check_width() {
  local file=$1 limit=$2 name=$3
  LC_ALL=C awk -v limit="$limit" -v name="$name" '
    { sub(/\r$/, "") }
    length($0) > limit { printf "%s:%d: %d bytes (at most %d)\n", name, NR, length($0), limit; bad = 1 }
    END { exit bad }' "$file" >&2 || failed=1
}

count=0
while IFS= read -r -d '' source; do
  rel=${source#"$src"/}
  out=data/$rel
  tmp=$(mktemp)
  if ! convert "$source" >"$tmp"; then
    fail "$source: not encodable in CP932"
    rm -f "$tmp"
    continue
  fi
  # The converted bytes must read back as the source text.
  if [[ $rel == *.dat ]]; then
    expected=$(perl -0777 -pe 's/\n\z//' "$source" | od -An -tx1)
  else
    expected=$(od -An -tx1 <"$source")
  fi
  actual=$(iconv -f CP932 -t UTF-8 "$tmp" | perl -0777 -pe 's/\r\n/\n/g' | od -An -tx1)
  [[ $expected == "$actual" ]] || fail "$source: does not round-trip through CP932"

  case $rel in
    template/UserLayout/*) check_width "$tmp" 80 "$source" ;;
    template/* | *.dat) check_width "$tmp" 70 "$source" ;;
    *.bwk)
      lines=$(LC_ALL=C grep -c $'\r$' "$tmp" || true)
      [[ $lines == 18 && $(tail -c 2 "$tmp" | od -An -tx1) == " 0d 0a" ]] ||
        fail "$source: a project file has exactly 18 lines, each ended by CR LF"
      ;;
  esac

  if ((check_only)); then
    cmp -s "$tmp" "$out" || fail "$out: out of date (run scripts/make-data.sh)"
    rm -f "$tmp"
  else
    mkdir -p "$(dirname "$out")"
    chmod 644 "$tmp"
    mv "$tmp" "$out"
  fi
  count=$((count + 1))
done < <(find "$src" -type f -print0 | LC_ALL=C sort -z)

# Files in the generated folders without a source are left over from a removed source.
while IFS= read -r -d '' shipped; do
  rel=${shipped#data/}
  [[ -f $src/$rel ]] || fail "$shipped: no source in $src/ (remove it, or add its source)"
done < <(find data/template data/sample -type f -print0 2>/dev/null | LC_ALL=C sort -z)

if ((failed)); then
  exit 1
fi
if ((check_only)); then
  echo "make-data: $count files up to date"
else
  echo "make-data: $count files written"
fi

cli=
for candidate in build*/src/cli/brindlewocket-cli; do
  [[ -x $candidate ]] && { cli=$candidate; break; }
done
if [[ -z $cli ]]; then
  echo "make-data: no built brindlewocket-cli; data/ReadMe.txt left as it is"
else
  tmp=$(mktemp)
  "$cli" compose data/sample/project/Brindlewocket.bwk --home data/sample \
    --date "$readme_date" --output "$tmp"
  check_width "$tmp" 80 data/ReadMe.txt
  if ((check_only)); then
    cmp -s "$tmp" data/ReadMe.txt || fail "data/ReadMe.txt: out of date (run scripts/make-data.sh)"
    rm -f "$tmp"
  else
    chmod 644 "$tmp"
    mv "$tmp" data/ReadMe.txt
    echo "make-data: data/ReadMe.txt composed with $cli"
  fi
  if ((failed)); then exit 1; fi
fi
