#!/usr/bin/env bash
# Feeds the bad inputs of docs/robustness.md to brindlewocket-cli and prints, for each, the
# exit code, the first line of the message, the peak memory and whether the files that must
# survive are intact. Usage: scripts/robustness.sh [BUILD_DIR] [--big]
#   --big also runs the 100 MB section and the 1 GB layout (a minute or two, ~3 GB of disk).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
big=0
[ "${2:-}" = "--big" ] && big=1
cli="$build/src/cli/brindlewocket-cli"
[ -x "$cli" ] || { echo "build $cli first" >&2; exit 2; }
work=$(mktemp -d /tmp/bwrobustXXXXXX)
trap 'rm -rf "$work"' EXIT

sjis() { iconv -f UTF-8 -t CP932; }
crlf() { sed 's/$/\r/'; }

# A fresh program folder with the project Foo (every section holding a line).
fresh() {
  rm -rf "$work/home"
  mkdir -p "$work/home/project/Foo" "$work/home/template/UserLayout"
  {
    echo "ProjectFile : Brindlewocket;"; echo; echo 'Foo\Foo.ini'; echo
    for s in はじめに インストール アンインストール ファイル構成 動作環境 開発環境 使い方 著作権 転載・再配布 免責 開発履歴 その他１ その他２ その他３; do
      echo "Foo\\$s.dat"
    done
  } | crlf | sjis > "$work/home/project/Foo.bwk"
  printf '[OneLine]\r\nSoftName=Foo\r\n' > "$work/home/project/Foo/Foo.ini"
  for s in はじめに インストール アンインストール ファイル構成 動作環境 開発環境 使い方 著作権 転載・再配布 免責 開発履歴 その他１ その他２ その他３; do
    printf 'text\r\n' > "$work/home/project/Foo/$(echo -n "$s")".dat
  done
}

# run NAME [cli args...]: composes Foo.bwk to out.txt and reports.
run() {
  local name="$1"; shift
  /usr/bin/time -f '%M' -o "$work/mem" "$cli" compose "$work/home/project/Foo.bwk" --home "$work/home" \
    --date 2026/12/11 "$@" > "$work/stdout" 2> "$work/stderr"
  local rc=$?
  local msg
  msg=$(grep -v '^使い方\|^$\|^ \|^終了\|^Shift\|^プロジェクトの' "$work/stderr" | head -n 1 | cut -c1-90)
  printf '| %s | %s | %s | %s MB |\n' "$name" "$rc" "${msg:-(none)}" "$(( $(tail -n 1 "$work/mem") / 1024 ))"
}

echo "| input | exit | message | peak memory |"
echo "|---|---|---|---|"

fresh; head -c 4096 /dev/urandom > "$work/home/project/Foo.bwk"; run "binary garbage as project file"
fresh; : > "$work/home/project/Foo.bwk"; run "empty project file"
fresh; head -n 17 "$work/home/project/Foo.bwk" > "$work/p"; mv "$work/p" "$work/home/project/Foo.bwk"; run "project file of 17 lines"
fresh; sed -i '5s/.*/..\\..\\etc\\passwd\r/' "$work/home/project/Foo.bwk"; run "path line with .."
fresh; sed -i '3s/.*/\\etc\\passwd\r/' "$work/home/project/Foo.bwk"; run "absolute path line"
fresh; sed -i '3s/.*/Foo\/Foo.ini\r/' "$work/home/project/Foo.bwk"; run "path line with /"
fresh; rm "$work/home/project/Foo/$(echo -n はじめに).dat"; mkdir "$work/home/project/Foo/$(echo -n はじめに).dat"; run "section file that is a folder"
fresh; printf 'end\x82' > "$work/home/project/Foo/$(echo -n 免責).dat"; run "section ending in a lone lead byte"
fresh; printf 'a\xFDb\x80\xA0' > "$work/home/project/Foo/$(echo -n 免責).dat"; run "section with 0xFD, 0x80, 0xA0"
fresh; printf '[Preview]\r\nIndent=1\r\nIndent=9\r\nStyle="シンプル１"\r\n' | sjis > "$work/home/project/Foo/Foo.ini"; run "INI: duplicated keys, quoted value"
fresh; printf 'SoftName=x\r\nIndent=3\r\n' > "$work/home/project/Foo/Foo.ini"; run "INI without sections"
fresh; for i in $(seq 1 10000); do printf '[S%d]\r\nK=%d\r\n' "$i" "$i"; done > "$work/home/project/Foo/Foo.ini"; printf '[OneLine]\r\nSoftName=Last\r\n' >> "$work/home/project/Foo/Foo.ini"; run "INI with 10,000 sections"
fresh; { printf '[OneLine]\r\nSoftName='; head -c 5000 /dev/zero | tr '\0' 'x'; printf '\r\n'; } > "$work/home/project/Foo/Foo.ini"; run "INI value of 5000 bytes"
fresh; printf '[Preview]\r\nIndent=99999999999999999999\r\n' > "$work/home/project/Foo/Foo.ini"; run "INI Indent out of range"
fresh; run "output into a missing folder" --output "$work/none/ReadMe.txt"
fresh; printf 'old' > "$work/ReadMe.txt"; head -c 20000 /dev/zero | tr '\0' 'a' > "$work/home/project/Foo/$(echo -n 免責).dat"
(ulimit -f 8; run "disk full while writing the output" --output "$work/ReadMe.txt"); echo "|   old output intact | $( [ "$(cat "$work/ReadMe.txt")" = old ] && echo yes || echo NO) | | |"
fresh; printf '[Preview]\r\nPopUserCheck=1\r\nStyle=big.txt\r\n' > "$work/home/project/Foo/Foo.ini"
printf '[%%AppTitle][$HrzLine1]\r\n' > "$work/home/template/UserLayout/big.txt"; run "layout with placeholders"
if [ $big = 1 ]; then
  fresh; head -c 100000000 /dev/zero | tr '\0' 'a' > "$work/home/project/Foo/$(echo -n 使い方).dat"; run "100 MB single-line section"
  fresh; printf '[Preview]\r\nPopUserCheck=1\r\nStyle=big.txt\r\n' > "$work/home/project/Foo/Foo.ini"
  yes '[%AppTitle][$HrzLine1][%Producer]' | head -c 1000000000 > "$work/home/template/UserLayout/big.txt"; run "1 GB layout of placeholders (many lines)"
  tr -d '\n' < "$work/home/template/UserLayout/big.txt" > "$work/l1" && mv "$work/l1" "$work/home/template/UserLayout/big.txt"; run "1 GB layout of placeholders (one line)"
fi
echo
echo "files outside the program folder were never touched: $( [ -e /etc/passwd ] && echo yes )"
