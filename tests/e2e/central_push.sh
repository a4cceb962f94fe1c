#!/usr/bin/env bash
# End-to-end check of the central log on the real kernel and a real PostgreSQL 15 server of
# the test's own: the program, in a network namespace, logs real traffic and pushes it; the
# central rows equal its own rows; a server stopped for 60 s while traffic flows is caught up
# without doubles; the program killed with SIGKILL in the middle of a push (held by a lock
# on the central table) loses and doubles nothing once started again; the stop pushes the
# last figures; quorvane-report --database shows the meter's own figures; a wrong password is
# said once while logging goes on. Takes about four minutes: pushes come every 30 s.
#
# usage: central_push.sh PROVISION_SCRIPT REPORT_EXECUTABLE -- QUORVANE_EXECUTABLE
set -uo pipefail

provision=$1 report=$2
shift 2
[ "$1" = "--" ] && shift
cmd=("$@")
tick=1
. "$(dirname "${BASH_SOURCE[0]}")/netns_lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/pg_lib.sh"
trap '[ -n "${pg_dir:-}" ] && pg_stop 2>/dev/null; cleanup' EXIT

pg_init "$work/pg"
pg_add_meter meter_e2e e2e-meter
pg_add_reader reader_e2e
# The meter's password comes from the file PGPASSFILE names, never from the INI file.
export PGPASSFILE=$pg_pass
printf '[central]\nurl=%s\nhost=e2e-meter\n' "$(pg_url meter_e2e)" >"$data/config/config.ini"

local_rows() { sqlite3 -cmd '.timeout 2000' -separator '|' "$db" \
  "select Devuniqueid, startdate, starttime, usera, Deventry, Duration, speed, dload, uload
   from log order by Devuniqueid"; }
central_rows() { pg_sql "select devuniqueid, startdate, starttime, usera, deventry, duration,
   speed, dload, uload from log where host = 'e2e-meter' order by devuniqueid collate \"C\""; }
# wait_equal SECONDS WHAT: until the central rows equal the meter's own.
wait_equal() {
  local start=$SECONDS
  while ((SECONDS - start < $1)); do
    if [ -n "$(local_rows)" ] && [ "$(local_rows)" = "$(central_rows)" ]; then
      echo "$2: central rows equal the meter's $(local_rows | wc -l) rows after $((SECONDS - start)) s"
      return 0
    fi
    sleep 1
  done
  echo "--- meter:"; local_rows; echo "--- central:"; central_rows
  fail "$2: the central rows did not come to equal the meter's within $1 s"
}
no_doubles() {
  [ "$(pg_sql "select count(*) from log")" = "$(sqlite3 "$db" 'select count(*) from log')" ] ||
    fail "$1: the central log holds another number of rows than the meter's"
}
# traffic SECONDS: pings over pair 1 in the background for that long.
traffic() { ip netns exec "$nsa" ping -q -n -i 0.5 -s 1000 -w "$1" 10.199.1.2 >/dev/null 2>&1 & }

add_pair 1
start_program
traffic 20
sleep 22
# The meter rewrites its rows every 30 ticks; until then both logs may still agree on the
# row as it was inserted, so the comparison waits for the traffic to be in the meter's log.
start=$SECONDS
until [ "$(sqlite3 -cmd '.timeout 2000' "$db" 'select max(dload) > 20000 from log')" = 1 ]; do
  ((SECONDS - start < 60)) || fail "the meter's log holds no traffic after 60 s"
  sleep 1
done
wait_equal 70 "real traffic"
no_doubles "real traffic"
[ "$(pg_sql "select dload > 20000 from log")" = t ] || fail "the pushed row holds no traffic"

# The server goes away for 60 s while traffic flows, then comes back.
pg_stop
traffic 60
sleep 61
pg_start
back=$SECONDS
wait_equal 90 "server back"
no_doubles "server back"
echo "caught up $((SECONDS - back)) s after the server came back"

# A push held in the middle by a lock on the central table, and the meter killed there.
pg_sql "begin; lock table log in exclusive mode; select pg_sleep(300)" >/dev/null 2>&1 &
holder=$!
add_pair 2
ping_pair 2 3 500
waited=0
until [ "$(pg_sql "select count(*) from pg_stat_activity where usename = 'meter_e2e'
                    and wait_event_type = 'Lock'")" = 1 ]; do
  sleep 1
  waited=$((waited + 1))
  ((waited < 70)) || fail "no push came to wait on the lock"
done
kill -9 "$pid"
wait "$pid" 2>/dev/null
pid=
echo "killed the meter with SIGKILL while its push waited on the lock"
pg_sql "select pg_terminate_backend(pid) from pg_stat_activity
        where query like 'begin; lock table log%' and pid <> pg_backend_pid()" >/dev/null
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
start_program
wait_equal 70 "after SIGKILL"
no_doubles "after SIGKILL"

# The stop's last push carries the figures of the last tick.
traffic 5
sleep 6
stop_program
[ "$(local_rows)" = "$(central_rows)" ] || { local_rows; central_rows; fail "the stop did not push the last figures"; }
echo "stop: the last figures are central"

# The central report shows the meter's own figures.
from=$(sqlite3 "$db" "select min(startdate) from log") to=$(sqlite3 "$db" "select max(startdate) from log")
for view in --connections --daily --monthly; do
  own=$("$report" --data-dir "$data" --from "$from" --to "$to" $view --format csv) || fail "own report"
  central=$(PGPASSFILE=$pg_pass "$report" --data-dir "$data" --database "$(pg_url reader_e2e)" \
    --host e2e-meter --from "$from" --to "$to" $view --format csv) || fail "central report"
  [ "$own" = "$central" ] || { echo "$own"; echo "$central"; fail "report $view differs"; }
done
echo "quorvane-report --database: the same figures as the meter's own report"

# A wrong password: logging goes on, one line says so.
pg_password meter_e2e wrong
before=$(sqlite3 "$db" "select count(*) from log")
start_program
ip -n "$nsa" addr flush dev qva2
ip -n "$nsa" addr add 10.199.2.1/24 dev qva2
sleep 40  # a push comes every 30 s
stop_program
after=$(sqlite3 "$db" "select count(*) from log")
((after > before)) || fail "logging stopped with a wrong password"
lines=$(grep -c "password authentication failed" "$work/err")
[ "$lines" = 1 ] || { cat "$work/err"; fail "the wrong password was said $lines times"; }
echo "wrong password: logging went on ($before -> $after rows), said once: $(grep 'central log' "$work/err")"
echo "PASS"
