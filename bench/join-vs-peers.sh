#!/usr/bin/env bash
# Times vantrel-join against its peers on two generated data sets of about 250 MB in 300 files
# each: long lines (~170 bytes, LF), and short lines (~41 bytes, a third of the files CR LF,
# some with a byte 26 and zero bytes). Checks first that the peers write the bytes vantrel-join
# writes, then times every command in interleaved rounds, once into a new output file each run
# and once into the existing output of the run before, and prints the medians, the ratios to
# cat, mawk, unix2dos and a plain 128-byte copy loop, and the peak memory of vantrel-join.
#   bench/join-vs-peers.sh [path/to/vantrel-join]
set -euo pipefail

join=$(realpath "${1:-build/bin/vantrel-join}")
bin=$(dirname "$join")
here=$(cd "$(dirname "$0")" && pwd)
work=${BENCH_DIR:-$(dirname "$bin")/bench}
size_mb=${BENCH_MB:-250}
files=${BENCH_FILES:-300}
runs=${BENCH_RUNS:-7}

for tool in unix2dos mawk python3 /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run make bench" >&2; exit 1; }
done

out=$work/out
mkdir -p "$out"
rm -f "$out"/*
for kind in long short; do
    if [[ ! -f $work/$kind/.done-$size_mb-$files ]]; then
        rm -rf "${work:?}/$kind"
        echo "generating ${size_mb} MB of $kind lines in $files files..."
        python3 "$here/generate-text.py" "$work/$kind" "$size_mb" "$files" "$kind"
        touch "$work/$kind/.done-$size_mb-$files"
    fi
done

# The join in awk: CR dropped, every line ended with CR LF, a file ends at its first byte 26,
# an empty line after each file.
awk_prog='FNR == 1 && NR > 1 { printf "\r\n" }
{ i = index($0, "\032"); s = i ? substr($0, 1, i - 1) : $0; gsub(/\r/, "", s)
  if (!i || i > 1) printf "%s\r\n", s; if (i) nextfile }
END { printf "\r\n" }'
printf '%s\n' "$awk_prog" >"$work/join.awk"
# unix2dos gets the empty line after each file from a file holding one LF.
printf '\n' >"$work/newline"

# NAME=OUTPUT=COMMAND for measure.py; COMMAND writes OUTPUT.
commands() {
    local kind=$1 set=$2 inputs=("$work/$1"/text*.txt)
    local i="${inputs[*]}"
    echo "vantrel-join=$out/vj=exec $join -o $out/vj $i"
    echo "vantrel-join-256k=$out/vj256k=exec $join --buffer-size 256K -o $out/vj256k $i"
    echo "cat=$out/cat=exec cat $i >$out/cat"
    echo "mawk=$out/awk=LC_ALL=C exec mawk -f $work/join.awk $i >$out/awk"
    echo "unix2dos=$out/u2d=cat $(printf "%s $work/newline " "${inputs[@]}") | unix2dos -f >$out/u2d 2>/dev/null"
    if [[ $set == all ]]; then
        echo "vantrel-join-128=$out/vj128=exec $join --buffer-size 128 -o $out/vj128 $i"
        echo "copy-128=$out/copy128=exec $bin/bench-copy128 $i >$out/copy128"
    fi
}

echo "checking that the peers agree..."
for kind in long short; do
    mapfile -t entries < <(commands "$kind" all)
    for entry in "${entries[@]}"; do sh -c "${entry#*=*=}"; done
    for peer in vj256k vj128 awk u2d; do
        # unix2dos keeps a byte 26 and a lone CR; only the long lines have neither.
        [[ $peer == u2d && $kind == short ]] && continue
        cmp -s "$out/vj" "$out/$peer" || { echo "FAIL: $peer differs from vantrel-join on $kind lines" >&2; exit 1; }
    done
    echo "  $kind lines: input $(du -sh --apparent-size "$work/$kind" | cut -f1), output $(du -h --apparent-size "$out/vj" | cut -f1): the peers agree"
    rm -f "$out"/*
done

for kind in long short; do
    for mode in new existing; do
        set=all
        [[ $mode == existing ]] && set=peers
        mapfile -t entries < <(commands "$kind" $set)
        echo "timing $kind lines into $mode outputs ($runs rounds)..."
        python3 "$here/measure.py" "$mode" "$runs" "$work/times-$kind-$mode.json" "${entries[@]}"
        rm -f "$out"/*
    done
done

peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
peaks=()
for kind in long short; do
    inputs=("$work/$kind"/text*.txt)
    peaks+=("$kind lines, default buffer=$(peak "$join" -o "$out/vj" "${inputs[@]}")")
    peaks+=("$kind lines, 128-byte buffer=$(peak "$join" --buffer-size 128 -o "$out/vj" "${inputs[@]}")")
    rm -f "$out/vj"
done
truncate -s 1G "$work/no-line-end.bin"
peaks+=("1 GiB without a line end=$(peak "$join" -o "$out/no-line-end" "$work/no-line-end.bin")")
[[ $(stat -c %s "$out/no-line-end") -eq $((1024 * 1024 * 1024 + 4)) ]] || { echo "FAIL: wrong size of the joined 1 GiB file" >&2; exit 1; }
rm -f "$out"/* "$work/no-line-end.bin"

machine="$(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(free -g | awk '/^Mem:/ { print $2 }') GiB, Linux $(uname -r), $(findmnt -no FSTYPE -T "$work"), load $(cut -d' ' -f1-3 /proc/loadavg) at the end"
python3 "$here/report.py" "$work" "$machine" "${peaks[@]}"
