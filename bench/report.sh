#!/usr/bin/env bash
# quorvane-report over a log of 1,000,000 rows, measured with real processes: the CPU time
# (user + system, median of 3 runs) of the sqlite3 shell printing the six columns a report
# reads (start date and time, device, duration, bytes down and up) of the same rows to
# /dev/null, the floor, and of each report to /dev/null, with its ratio to that floor.
#
# usage: bench/report.sh [BUILD_DIR]   (default build/, or $QUORVANE_BUILD_DIR)
#   ROWS          rows of the fixture log (default 1000000)
#   FIXTURE_DIR   a data directory written before by qv_log_fixture with as many rows, to
#                 skip writing a new one
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${QUORVANE_BUILD_DIR:-$root/build}}
rows=${ROWS:-1000000}
from=2020-01-01 to=2026-12-31

command -v sqlite3 >/dev/null || { echo "the sqlite3 shell is missing (apt-get install sqlite3)"; exit 1; }
QUORVANE_BUILD_DIR=$build "$root/scripts/build" quorvane-report qv_log_fixture >/dev/null
report=$build/src/report/quorvane-report
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=${FIXTURE_DIR:-$work/data}
if [ ! -f "$data/config/log.db" ]; then
  echo "writing the fixture log of $rows rows..."
  "$build/bench/qv_log_fixture" "$rows" "$data"
fi
log=$data/config/log.db

# CPU milliseconds (user + system) of one run of the command, its output to /dev/null.
cpu_ms() {
  /usr/bin/time -f '%U %S' -o "$work/time" "$@" >/dev/null
  awk '{printf "%d\n", ($1 + $2) * 1000 + 0.5}' "$work/time"
}
# The median of three runs.
median_ms() {
  local a b c
  a=$(cpu_ms "$@") b=$(cpu_ms "$@") c=$(cpu_ms "$@")
  printf '%s\n' "$a" "$b" "$c" | sort -n | sed -n 2p
}

# The rows every report reads: the whole period, by a pass over the table as the report
# makes it (+startdate keeps the start index out of it).
floor_sql="SELECT startdate,starttime,Deventry,Duration,dload,uload FROM log
           WHERE +startdate BETWEEN '$from' AND '$to'"
sqlite3 -readonly "$log" "SELECT count(*) FROM log" >/dev/null  # the file into the page cache
floor=$(median_ms sqlite3 -readonly "$log" "$floor_sql")
echo "rows: $(sqlite3 -readonly "$log" "SELECT count(*) FROM log"), CPU ms (user + sys), median of 3"
printf '%-34s %8s\n' "sqlite3 shell, six columns (floor)" "$floor"
measure() {
  local name=$1 ms
  shift
  ms=$(median_ms "$report" --data-dir "$data" --from "$from" --to "$to" "$@")
  printf '%-34s %8s  %5.2fx\n' "$name" "$ms" "$(echo "$ms / $floor" | bc -l)"
}
measure "--connections --format json" --connections --format json
measure "--connections --format csv" --connections --format csv
measure "--daily --format csv" --daily --format csv
measure "--monthly --format csv" --monthly --format csv
