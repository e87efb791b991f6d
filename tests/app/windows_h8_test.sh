#!/usr/bin/env bash
# h8.exe under Wine gives the bytes, the messages and the status of the Linux h8
# given --crlf (Windows's line end is h8.exe's own): for random lines (characters
# outside the font, non-ASCII, long lines), options, overflows, --show, the output
# forms and standard input with CR LF; and --save names its files by the same rule,
# device names (CON, nul, COM1.txt, LPT9) and non-ASCII included, without opening a
# device, into a path longer than 260 characters; it reports a failed write, ends
# quietly on a closed pipe and keeps a read-only file. On a console whose code page
# is not UTF-8, the messages read right.
# Usage: windows_h8_test.sh H8.EXE LINUX-H8   (with WINEPREFIX set)
set -euo pipefail
exe=$1 h8=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs both with the arguments and the input given, and compares what they give.
# Windows ends the lines of its standard error with CR LF; the Linux h8 is asked for
# CR LF on standard output, and an --lf among the arguments comes after it.
same() { # same INPUT-FILE ARGUMENTS...
    local input=$1 name=$((++cases))
    shift
    local status=0 wine_status=0
    "$h8" --crlf "$@" <"$input" >"$work/$name.out" 2>"$work/$name.err" || status=$?
    wine "$exe" "$@" <"$input" >"$work/$name.wout" 2>"$work/$name.werr" || wine_status=$?
    if ! cmp -s "$work/$name.out" "$work/$name.wout" || [ "$status" -ne "$wine_status" ] ||
        ! cmp -s "$work/$name.err" <(tr -d '\r' <"$work/$name.werr"); then
        echo "h8.exe differs from h8 (status $wine_status, not $status) for: $*" >&2
        diff <(head -c 2000 "$work/$name.err") <(head -c 2000 "$work/$name.werr") >&2 || true
        failures=$((failures + 1))
    fi
}
cases=0

# Random lines: printable ASCII with a share of characters outside the font.
RANDOM=1252
alphabet=({a..z} {A..Z} {0..9} ' ' ' ' ! '"' '#' '$' % '&' "'" '(' ')' '*' + , - . / : ';'
          '<' = '>' '?' @ '[' '\' ']' ^ _ '`' '{' '|' '}' '~' é ü ß Ω € 中 😀 $'\t')
for ((i = 0; i < 300; i++)); do
    line=
    for ((j = RANDOM % 90; j > 0; j--)); do
        line+=${alphabet[RANDOM % ${#alphabet[@]}]}
    done
    printf '%s\n' "$line"
done >"$work/lines.txt"
# A line wider than the engine can draw, and lines with Windows line ends.
printf 'W%.0s' {1..2500} >>"$work/lines.txt"
printf '\nCR LF 1\r\n\r\nCR LF 3\r\n' >>"$work/lines.txt"
sed 's/$/\r/' "$work/lines.txt" >"$work/crlf.txt"
: >"$work/none.txt"

same "$work/lines.txt"
same "$work/crlf.txt" -w 40 -s 2 -l 1
same "$work/lines.txt" --show -q
same "$work/none.txt" 'Hello, Windows!'
same "$work/none.txt" -w 20 -- -dash 'ABC, abc & 123'
same "$work/none.txt" --show 'Show me'
same "$work/none.txt" -w 99999 x
same "$work/none.txt" -s x y
same "$work/none.txt" -w 1e2 'Exponent 1e2'
same "$work/none.txt" "$(printf 'M%.0s' {1..2200})"
same "$work/none.txt" 'Ωmega café'
same "$work/crlf.txt" -qw40 --trim --prefix '# ' --align=right
same "$work/lines.txt" -q --format html
same "$work/none.txt" --lf --format markdown 'LF on request'

# Saving: the same files in Files, named by the same rule; h8.exe's in a folder 240
# characters long, so that the paths of the files pass 260 (Wine starts no program in
# a folder whose path is longer than that).
names=(CON nul COM1.txt LPT9 'COM¹' 'lpt³.txt' 'Ωmega' 'café' 'a/b:c*d?.txt'
       'A banner saved past the old limit of two hundred and sixty characters')
deep=$work/windows/
deep+=$(printf 'f%.0s' $(seq $((240 - ${#deep}))))
mkdir -p "$work/linux" "$deep" "$work/arguments"
printf '%s\n' "${names[@]}" >"$work/names.txt"
(cd "$work/linux" && "$h8" -q --save <"$work/names.txt")
(cd "$deep" && wine "$exe" -q --save <"$work/names.txt" >saved.out)
if [ -s "$deep/saved.out" ] || ! diff -r "$work/linux/Files" "$deep/Files"; then
    echo "h8.exe --save of standard input differs from h8's" >&2
    failures=$((failures + 1))
fi
# The same names as arguments, which Windows hands over in UTF-16.
for name in "${names[@]}"; do
    (cd "$work/arguments" && wine "$exe" -q --save -- "$name")
done
if ! diff -r "$work/linux/Files" "$work/arguments/Files"; then
    echo "h8.exe --save of arguments differs from h8's" >&2
    failures=$((failures + 1))
fi

# Failures met through Windows' own calls: a full disk on standard output, a reader
# that goes away (h8.exe ends at once and says nothing), a read-only file to replace.
expect() { # expect WHAT STATUS ERR-FILE WANTED-STATUS WANTED-ERR
    cases=$((cases + 1))
    if [ "$2" -ne "$4" ] || [ "$(tr -d '\r' <"$3")" != "$5" ]; then
        echo "h8.exe $1: status $2, not $4; said: $(head -c 300 "$3")" >&2
        failures=$((failures + 1))
    fi
}
status=0
wine "$exe" Hi >/dev/full 2>"$work/full.err" || status=$?
expect "into a full disk" "$status" "$work/full.err" 1 \
    "h8: cannot write to standard output: No space left on device"
status=$( (yes | timeout 60 wine "$exe" 2>"$work/pipe.err" | head -c 1 >/dev/null
    echo "${PIPESTATUS[1]}") )
expect "into a closed pipe" "$status" "$work/pipe.err" 1 ""
mkdir -p "$work/read-only/Files"
echo old >"$work/read-only/Files/Hi.txt"
chmod 444 "$work/read-only/Files/Hi.txt"
status=0
(cd "$work/read-only" && wine "$exe" --save Hi 2>../read-only.err) || status=$?
expect "replacing a read-only file" "$status" "$work/read-only.err" 1 \
    'h8: The file "Files\Hi.txt" could not be written: it is read-only.'
if [ "$(cat "$work/read-only/Files/Hi.txt")" != old ] || [ "$(ls -A "$work/read-only/Files")" != Hi.txt ]; then
    echo "h8.exe did not keep the read-only file alone" >&2
    failures=$((failures + 1))
fi

# A console with code page 850: the message of a character outside the font, Ω, reads
# as on Linux (Wine shows its console on the terminal that script(1) gives it).
console=$(cd "$(dirname "$exe")" && LANG=C.UTF-8 script -qec \
    "wine cmd /c 'chcp 850 >nul & $(basename "$exe") -- Ωmega >nul'" /dev/null |
    sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' | tr -d '\r')
if [ "$console" != "$("$h8" -- Ωmega 2>&1 >/dev/null)" ]; then
    echo "h8.exe's message on a console with code page 850 reads: $console" >&2
    failures=$((failures + 1))
fi
cases=$((cases + 1))

[ "$failures" -eq 0 ] || { echo "$failures of $((cases + 2)) h8 comparisons failed" >&2; exit 1; }
echo "h8.exe gave the bytes of h8 in all $((cases + 2)) comparisons"
