#!/usr/bin/env bash
# Times vantrel-join against its peers on about 250 MB of generated UTF-8 text in a few hundred
# files, after checking that every peer but cat writes the same bytes; then the peak memory of
# vantrel-join, also on a 1 GiB file without a single line end.
#   bench/join-vs-peers.sh [path/to/vantrel-join]
set -euo pipefail

join=$(realpath "${1:-build/bin/vantrel-join}")
bin=$(dirname "$join")
here=$(cd "$(dirname "$0")" && pwd)
work=${BENCH_DIR:-$(dirname "$bin")/bench}
size_mb=${BENCH_MB:-250}
files=${BENCH_FILES:-300}
runs=${BENCH_RUNS:-5}

for tool in hyperfine unix2dos mawk python3 /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run make bench" >&2; exit 1; }
done

mkdir -p "$work/out"
if [[ ! -f $work/text/.done-$size_mb-$files ]]; then
    rm -rf "$work/text"
    echo "generating ${size_mb} MB of text in $files files..."
    python3 "$here/generate-text.py" "$work/text" "$size_mb" "$files"
    touch "$work/text/.done-$size_mb-$files"
fi
inputs=("$work"/text/text*.txt)
out=$work/out
awk_prog='FNR == 1 && NR > 1 { printf "\r\n" } { sub(/\x1a.*/, ""); gsub(/\r/, ""); printf "%s\r\n", $0 } END { printf "\r\n" }'

declare -A cmd=(
    [vantrel-join]="$join -o $out/vantrel ${inputs[*]}"
    [vantrel-join-128]="$join --buffer-size 128 -o $out/vantrel128 ${inputs[*]}"
    [cat]="cat ${inputs[*]} > $out/cat"
    [copy-128]="$bin/bench-copy128 ${inputs[*]} > $out/copy128"
    [awk]="LC_ALL=C mawk '$awk_prog' ${inputs[*]} > $out/awk"
    [unix2dos]="for f in ${inputs[*]}; do cat \$f; printf '\n'; done | unix2dos > $out/unix2dos 2>/dev/null"
    [python]="python3 $here/join.py ${inputs[*]} > $out/python"
)
order=(cat copy-128 vantrel-join vantrel-join-128 awk unix2dos python)

echo "checking that the peers agree..."
for name in "${order[@]}"; do bash -c "${cmd[$name]}"; done
reference=$out/vantrel
for name in vantrel128 awk unix2dos python; do
    cmp -s "$reference" "$out/$name" || { echo "FAIL: $name differs from vantrel-join" >&2; exit 1; }
done
echo "input $(du -sh --apparent-size "$work/text" | cut -f1), output $(du -h --apparent-size "$reference" | cut -f1): all peers agree"

hyperfine_args=(--warmup 1 --runs "$runs" --export-json "$work/times.json" --style basic)
for name in "${order[@]}"; do hyperfine_args+=(--command-name "$name" "${cmd[$name]}"); done
hyperfine "${hyperfine_args[@]}" >"$work/hyperfine.log"

python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
cat = results["cat"]["mean"]
floor = results["copy-128"]["mean"]
print(f"\n{'command':18} {'mean s':>8} {'± s':>7} {'x cat':>7}")
for name, r in results.items():
    print(f"{name:18} {r['mean']:8.3f} {r['stddev']:7.3f} {r['mean'] / cat:7.2f}")
vj = results["vantrel-join"]["mean"]
vj128 = results["vantrel-join-128"]["mean"]
others = [n for n in results if n not in ("cat", "copy-128", "vantrel-join", "vantrel-join-128")]
print(f"\nvantrel-join / cat:              {vj / cat:.2f}  (target at most 1.5)")
print(f"vantrel-join fastest of peers:   {all(vj < results[n]['mean'] for n in others)}")
print(f"vantrel-join-128 / copy-128:     {vj128 / floor:.2f}  (target at most 1.3)")
PY

peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
echo
echo "peak memory of vantrel-join (KiB, target under 16384):"
echo "  text, default buffer:   $(peak "$join" -o "$out/vantrel" "${inputs[@]}")"
echo "  text, 128-byte buffer:  $(peak "$join" --buffer-size 128 -o "$out/vantrel128" "${inputs[@]}")"
truncate -s 1G "$work/no-line-end.bin"
echo "  1 GiB without line end: $(peak "$join" -o "$out/no-line-end" "$work/no-line-end.bin")"
[[ $(stat -c %s "$out/no-line-end") -eq $((1024 * 1024 * 1024 + 4)) ]] || { echo "FAIL: wrong size of the joined 1 GiB file" >&2; exit 1; }
rm -f "$out"/* "$work/no-line-end.bin"
