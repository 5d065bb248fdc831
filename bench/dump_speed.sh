#!/usr/bin/env bash
# Speed of `veltro-cli dump` on logs the simulator floods out: a 10 Hz NMEA log of 60 000 epochs
# and a mixed KVB + NMEA log of 100 000 epochs. Prints the median of a few runs in MB/s and as a
# multiple of a fixed reference rate: 15.6 MB/s, what a JSON-printing NMEA decoder reached on the
# same kind of log on this kind of machine. No other decoder is run here.
#
#   bench/dump_speed.sh [BUILD_DIR] [--compare OTHER_BUILD_DIR]
#
# With --compare, the other build's dump of each log must be byte for byte the same.
set -euo pipefail
build=${1:-build}
other=
if [[ ${2:-} == --compare ]]; then other=${3:?--compare needs a build directory}; fi
reference_mb_per_s=15.6
runs=5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sim="$build/bin/veltro-sim"
cli="$build/bin/veltro-cli"
common=(--rate 10 --flood --start 2024-03-01T12:00:00Z --seed 1)
"$sim" --protocols nmea --epochs 60000 --output "$work/nmea.log" "${common[@]}" 2>/dev/null
"$sim" --protocols kvb,nmea --epochs 100000 --output "$work/mixed.log" "${common[@]}" 2>/dev/null

median_seconds() {
    local times=()
    for ((i = 0; i < runs; ++i)) {
        local start end
        start=$(date +%s.%N)
        "$cli" dump "$1" --format csv >/dev/null
        end=$(date +%s.%N)
        times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
    }
    printf '%s\n' "${times[@]}" | sort -g | sed -n "$((runs / 2 + 1))p"
}

status=0
for log in nmea mixed; do
    bytes=$(stat -c %s "$work/$log.log")
    seconds=$(median_seconds "$work/$log.log")
    awk -v name="$log" -v bytes="$bytes" -v s="$seconds" -v ref="$reference_mb_per_s" 'BEGIN {
        rate = bytes / 1e6 / s
        printf "%-6s %7.1f MB in %6.3f s: %6.1f MB/s, %4.1f times the reference\n", name, bytes / 1e6, s, rate, rate / ref
    }'
    if [[ -n $other ]]; then
        "$cli" dump "$work/$log.log" --format csv >"$work/$log.this.csv"
        "$other/bin/veltro-cli" dump "$work/$log.log" --format csv >"$work/$log.other.csv"
        if cmp -s "$work/$log.this.csv" "$work/$log.other.csv"; then
            echo "$log: the same rows as $other"
        else
            echo "$log: rows differ from $other" >&2
            status=1
        fi
    fi
done
exit $status
