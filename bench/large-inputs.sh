#!/usr/bin/env bash
# vantrel-join on inputs beyond every 32-bit size: a 5 GiB sparse file that is one line of zero
# bytes, and over 2 GiB of generated text. Checks each output's byte count exactly and that
# the peak memory stays under 16 MiB; prints time and peak memory beside the time of a plain
# copy. Skips when the disk has no room for the outputs. The big files are removed afterwards,
# also after a failure.
#   bench/large-inputs.sh [path/to/vantrel-join]
set -euo pipefail

join=$(realpath "${1:-build/bin/vantrel-join}")
here=$(cd "$(dirname "$0")" && pwd)
work=${BENCH_DIR:-$(dirname "$(dirname "$join")")/bench}/large
limit_kib=16384
GiB=$((1024 * 1024 * 1024))
sparse_size=$((5 * GiB))
chunks=128 # copies of a 16 MB generated chunk: just over 2 GiB of text

for tool in python3 /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run make bench" >&2; exit 1; }
done

mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# The sparse input takes no room; the 5 GiB output does, and later the text and its output.
need=$((sparse_size + 512 * 1024 * 1024))
free=$(($(df --output=avail -B1 "$work" | tail -1)))
if ((free < need)); then
    echo "SKIP large inputs: $((free / 1024 / 1024)) MiB free in $work, $((need / 1024 / 1024)) MiB needed"
    exit 0
fi

failed=0
# Runs vantrel-join with OUTPUT and the inputs, then checks the output's size and the peak memory.
run() {
    local label=$1 expected=$2 output=$3
    shift 3
    local figures
    if ! /usr/bin/time -f '%M %e' -o "$work/time" "$join" -o "$output" "$@"; then
        echo "FAIL: $label: vantrel-join failed: $(cat "$work/time")" >&2
        failed=1
        return
    fi
    read -r peak seconds <"$work/time"
    local size
    size=$(stat -c %s "$output")
    figures=$(printf '%-26s %14d B out, %7.2f s, %6.0f MiB/s, peak %5d KiB' "$label" "$size" \
        "$seconds" "$(awk -v b="$size" -v s="$seconds" 'BEGIN { print (s > 0 ? b / s / 1048576 : 0) }')" \
        "$peak")
    echo "  $figures"
    if [[ $size -ne $expected ]]; then
        echo "FAIL: $label: output has $size bytes, expected $expected" >&2
        failed=1
    fi
    if ((peak >= limit_kib)); then
        echo "FAIL: $label: peak memory $peak KiB, limit $limit_kib KiB" >&2
        failed=1
    fi
    rm -f "$output"
}

# A plain copy of the same input in 64 KiB reads and writes to the same disk: what the disk
# allows. (cat would not do: it may copy inside the file system without writing the bytes.)
reference() {
    local label=$1 input=$2
    /usr/bin/time -f '%e' -o "$work/time" dd if="$input" of="$work/dd.out" bs=64K status=none
    printf '  %-26s %14d B out, %7.2f s\n' "$label" "$(stat -c %s "$work/dd.out")" "$(cat "$work/time")"
    rm -f "$work/dd.out"
}

echo "large inputs (peak memory limit $limit_kib KiB):"

# One line of 5 GiB without a line end: the line, CR LF, then the empty line after the file.
truncate -s "$sparse_size" "$work/zeros.bin"
# The first read of a hole fills the page cache, which costs more than the copy: done once
# beforehand, so that both timings see the same warm cache.
dd if="$work/zeros.bin" of=/dev/null bs=1M status=none
run "5 GiB sparse, one line" $((sparse_size + 4)) "$work/zeros.out" "$work/zeros.bin"
reference "dd bs=64K, same input" "$work/zeros.bin"
rm -f "$work/zeros.bin"

# The text is one generated chunk repeated; the chunk ends with a line end, so the repeats
# join as their lines do and the expected size follows from the chunk's own join by the
# Python peer: every repeat adds its lines, the one empty line after the file comes once.
python3 "$here/generate-text.py" "$work/chunk" 16 1
chunk=$work/chunk/text0000.txt
[[ $(tail -c 1 "$chunk" | od -An -tx1 | tr -d ' ') == 0a ]] || { echo "FAIL: chunk has no final line end" >&2; exit 1; }
chunk_out=$(python3 "$here/join.py" "$chunk" | wc -c)
for ((i = 0; i < chunks; i++)); do cat "$chunk"; done >"$work/text.txt"
text_size=$(stat -c %s "$work/text.txt")
((text_size > 2 * GiB)) || { echo "FAIL: the text has only $text_size bytes" >&2; exit 1; }
run "$((text_size / 1024 / 1024)) MiB text" $((chunks * (chunk_out - 2) + 2)) "$work/text.out" "$work/text.txt"
reference "dd bs=64K, same input" "$work/text.txt"
run "same, 128-byte buffer" $((chunks * (chunk_out - 2) + 2)) "$work/text.out" --buffer-size 128 "$work/text.txt"

if ((failed)); then
    exit 1
fi
echo "large inputs: output sizes exact, peak memory under the limit"
