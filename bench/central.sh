#!/usr/bin/env bash
# Load on one central log: simulated meters (qv_central_load: SQLite logs of their own and the
# meters' real push code) push every 30 s into a PostgreSQL 15 server of this script's own for
# a while; prints the push latency (p50, p99), the failures, and the server's CPU time.
#
# usage: bench/central.sh [METERS [DEVICES [DURATION_S [INTERVAL_S]]]]   (200 20 600 30)
#   QUORVANE_BUILD_DIR  the build folder (default build/); qv_central_load is built there.
#   PG_OPTIONS          more server settings, e.g. "-c synchronous_commit=off".
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}
meters=${1:-200} devices=${2:-20} duration=${3:-600} interval=${4:-30}

fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
work=$(mktemp -d)
pg_dir=
trap '[ -n "$pg_dir" ] && pg_stop 2>/dev/null; rm -rf "$work"' EXIT
. "$root/tests/e2e/pg_lib.sh"

"$root/scripts/build" qv_central_load >/dev/null || fail "building qv_central_load"
pg_options="-c max_connections=$((meters + 20)) ${PG_OPTIONS:-}"
pg_init "$work/pg"
echo "server: PostgreSQL $(pg_sql 'show server_version'), fsync $(pg_sql 'show fsync'), synchronous_commit $(pg_sql 'show synchronous_commit')"
for ((m = 0; m < meters; m++)); do
  echo "CREATE ROLE meter_$m LOGIN PASSWORD 'pw-$m' IN ROLE quorvane_meter;
        INSERT INTO meter_host (role_name, host) VALUES ('meter_$m', 'meter-$m');"
done >"$work/roles.sql"
pg_sql "$(cat "$work/roles.sql")" >/dev/null || fail "making the meters' roles"
for ((m = 0; m < meters; m++)); do echo "*:*:*:meter_$m:pw-$m"; done >>"$pg_pass"

# The server's CPU: the postmaster's own time and that of every backend it has waited for
# (one per push), plus the backends alive at the end, in clock ticks.
postmaster=$(head -1 "$pg_dir/data/postmaster.pid")
server_ticks() {
  local total
  total=$(awk '{print $14 + $15 + $16 + $17}' "/proc/$postmaster/stat")
  for child in $(pgrep -P "$postmaster"); do
    total=$((total + $(awk '{print $14 + $15}' "/proc/$child/stat" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
hz=$(getconf CLK_TCK)
cpu_before=$(server_ticks)
load_before=$(cut -d' ' -f1 /proc/loadavg)
start=$SECONDS
mkdir -p "$work/logs"
PGPASSFILE=$pg_pass "$build/bench/qv_central_load" --dir "$work/logs" \
  --url-prefix "host=$pg_dir port=$pg_port dbname=quorvane" --meters "$meters" \
  --devices "$devices" --interval-s "$interval" --duration-s "$duration"
status=$?
elapsed=$((SECONDS - start))
cpu=$(( $(server_ticks) - cpu_before ))
echo "server CPU: $(awk "BEGIN{printf \"%.1f s in %d s, %.2f%% of one core\", $cpu/$hz, $elapsed, 100*$cpu/$hz/$elapsed}")"
echo "central rows: $(pg_sql 'select count(*) from log'), size $(pg_sql "select pg_size_pretty(pg_total_relation_size('log'))")"
echo "machine: $(nproc) cores, load average $load_before before, $(cut -d' ' -f1 /proc/loadavg) after"

# The central report against each meter's own, to the cent: every host's daily and connection
# views, and the all-hosts summary against the sum of the meters'.
"$root/scripts/build" quorvane-report >/dev/null || fail "building quorvane-report"
report=$build/src/report/quorvane-report
period=(--from 2026-12-01 --to 2026-12-31)
differ=0
for ((m = 0; m < meters; m++)); do
  for view in --daily --connections; do
    own=$("$report" --data-dir "$work/logs/meter-$m" "${period[@]}" $view --format csv)
    central=$(PGPASSFILE=$pg_pass "$report" --data-dir "$work/logs/meter-$m" \
      --database "$(pg_url admin)" --host "meter-$m" "${period[@]}" $view --format csv)
    [ "$own" = "$central" ] || differ=$((differ + 1))
  done
done
all=$(PGPASSFILE=$pg_pass "$report" --data-dir "$work/logs/meter-0" --database "$(pg_url admin)" \
  "${period[@]}" --format csv | tail -1)
sum=$(for ((m = 0; m < meters; m++)); do
  "$report" --data-dir "$work/logs/meter-$m" "${period[@]}" --format csv | tail -1
done | awk -F, '{c += $1; t += $2; b += $3} END {printf "%d,%d,%.0f\n", c, t, b}')
echo "reports: $differ of $((2 * meters)) host reports differ from the meters' own;" \
  "all hosts $(echo "$all" | cut -d, -f1-3) (connections,time,traffic), the meters' sum $sum"
[ "$differ" = 0 ] && [ "$(echo "$all" | cut -d, -f1-3)" = "$sum" ] || status=1
exit $status
