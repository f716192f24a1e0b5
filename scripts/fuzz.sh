#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]
# Builds the libFuzzer harnesses (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in build/fuzz and runs
# each one (or only the named ones) for SECONDS (default 600), as many side by side as the machine has cores
# (FUZZ_JOBS sets another number). Seeds come from samples/,
# tests/data and ../shared/testdata and are copied into build/fuzz/seeds/<harness>; the growing corpus stays in
# build/fuzz/corpus/<harness>, crash, leak and timeout inputs land in build/fuzz/crashes/<harness>/.
# Prints executions and coverage per harness; exits non-zero when any harness found a fault.
set -euo pipefail
shopt -s nullglob

seconds="${1:-600}"
shift $(($# > 0 ? 1 : 0))
only=("$@")
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"
shared="$root/../shared/testdata"

# The build packages, plus clang and its runtime libraries (libFuzzer, sanitizers); installed only when missing.
bash "$root/scripts/install-deps.sh" clang libclang-rt-14-dev

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLANESCOPE_FUZZ=ON -DLANESCOPE_GUI=OFF -DLANESCOPE_TESTS=OFF \
    -DLANESCOPE_BENCH=OFF -DLANESCOPE_WERROR=ON >/dev/null

# harness name, longest input in bytes, seed files (globs that match nothing are dropped)
harnesses=(
    "LenexText 65536 $root/samples/*.lef $shared/lenex3/*.lef"
    "LenexMember 65536 $root/samples/*.lef"
    "LenexArchive 65536 $root/samples/*.lxf $shared/lenex3/*.lxf"
    "Lenex3 1048576 $shared/lenex3/*.lef"
    "Sdif 65536 $root/tests/data/convert/sdif/* $shared/sdif/*.cl2 $shared/sdif/*.CL2"
    "Dsv4 32768 $root/tests/data/convert/dsv4/*"
    "Dsv7 32768 $root/tests/data/convert/dsv7/* $shared/dsv/*.dsv* $shared/dsv/*.DSV*"
    "Pce3 65536"
    "Language 65536 $root/lang/lanescope.x*"
    "Settings 16384"
    "Rtf 65536 $root/help/*.rtf"
    "JpegPicture 65536 $root/resources/korvalin.jpg $root/tests/data/report/images/*.jpg"
    "BmpPicture 65536"
    "GifPicture 65536 $root/tests/data/report/images/*.gif"
    "MeetList 16384"
)

if [ ${#only[@]} -gt 0 ]; then
    chosen=()
    for entry in "${harnesses[@]}"; do
        for name in "${only[@]}"; do
            [ "${entry%% *}" = "$name" ] && chosen+=("$entry")
        done
    done
    harnesses=("${chosen[@]}")
fi
targets=()
for entry in "${harnesses[@]}"; do
    targets+=("${entry%% *}Fuzzer")
done
cmake --build "$build" -j2 --target "${targets[@]}"

# Seeds that no sample file provides, written fresh on every run.
extra_seeds() {
    local name="$1" dir="$2"
    case "$name" in
    Pce3)
        local table first=1
        for table in origine rcomp licence club relais pcomp engag prres; do
            [ $first -eq 1 ] || printf '\f'
            first=0
            cat "$root/tests/data/convert/pce3/meet/$table.txt"
        done >"$dir/meet.pce3"
        ;;
    Settings)
        printf '[Config]\nlbxLanguage=3\nlbxPrnLanguage=1\n; comment\n[frmView]\nLeft=10\nTop=20\n' >"$dir/settings.ini"
        ;;
    BmpPicture)
        # 2 x 2 pixels, 24 bits, bottom-up
        printf 'BM\106\0\0\0\0\0\0\0\066\0\0\0\050\0\0\0\2\0\0\0\2\0\0\0\1\0\030\0\0\0\0\0\020\0\0\0' >"$dir/rgb.bmp"
        printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\377\0\0\0\377\0\0\0\0\0\377\377\377\377\0\0' >>"$dir/rgb.bmp"
        ;;
    MeetList)
        printf 'URL\tMEETNAME\tMEETCITY\tMEETNATION\tMEETDATE\r\nhttp://r/a.lxf\tSpring Open\tLyon\tFRA\t20080415\r\nhttp://r/b.zip?x=1\tCup\tBern\tSUI\t2008-04-16\r\n' >"$dir/meets.txt"
        ;;
    esac
}

# Runs one harness and writes its result line, marked FAULT when it found one, to logs/<name>.result.
run_harness() {
    local entry="$1" fields name max_len seeds corpus crashes log pattern file status stats execs cov ft line
    read -r -a fields <<<"$entry"
    name="${fields[0]}"
    max_len="${fields[1]}"
    seeds="$build/seeds/$name"
    corpus="$build/corpus/$name"
    crashes="$build/crashes/$name"
    log="$build/logs/$name.log"
    rm -rf "$seeds"
    mkdir -p "$seeds" "$corpus" "$crashes"
    for pattern in "${fields[@]:2}"; do
        for file in $pattern; do
            cp "$file" "$seeds/"
        done
    done
    for file in "$root/tests/data/fuzz/$name"/*; do
        cp "$file" "$seeds/"
    done
    extra_seeds "$name" "$seeds"

    echo "== $name: ${seconds} s"
    status=0
    (cd "$crashes" && "$build/fuzz/${name}Fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "$seeds") \
        >"$log" 2>&1 || status=$?
    stats="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)"
    if [ -n "$stats" ]; then
        execs="$(sed -E 's/^#([0-9]+).*/\1/' <<<"$stats")"
        cov="$(sed -E 's/.*cov: ([0-9]+).*/\1/' <<<"$stats")"
        ft="$(sed -E 's/.*ft: ([0-9]+).*/\1/' <<<"$stats")"
        line="$(printf '%-13s executions %10s  cov %6s  ft %6s' "$name" "$execs" "$cov" "$ft")"
    else
        line="$(printf '%-13s no final stats (see %s)' "$name" "$log")"
    fi
    if [ $status -ne 0 ] || [ -n "$(ls -A "$crashes")" ]; then
        line="$line  FAULT (exit $status, inputs in $crashes)"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -n 5 || true
    fi
    echo "$line"
    echo "$line" >"$build/logs/$name.result"
}

jobs="${FUZZ_JOBS:-$(nproc)}"
mkdir -p "$build/crashes" "$build/corpus" "$build/seeds" "$build/logs"
running=0
for entry in "${harnesses[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    rm -f "$build/logs/${entry%% *}.result"
    run_harness "$entry" &
    running=$((running + 1))
done
wait || true

echo
echo "== Summary"
failed=()
for entry in "${harnesses[@]}"; do
    name="${entry%% *}"
    result="$build/logs/$name.result"
    if [ -f "$result" ]; then
        cat "$result"
        grep -q 'FAULT' "$result" && failed+=("$name")
    else
        echo "$name did not finish (see $build/logs/$name.log)"
        failed+=("$name")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Faults found by: ${failed[*]}"
    exit 1
fi
