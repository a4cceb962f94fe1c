#!/usr/bin/env bash
# End-to-end check on the real kernel: another process keeps the log locked for several
# ticks while one connection ends and another begins. The ticks go on meanwhile (so the
# durations follow the clock), and once the lock is gone both rows are right.
#
# usage: locked_log.sh TICK_SECONDS PROVISION_SCRIPT -- COMMAND...
#   as real_traffic.sh.
set -uo pipefail

tick=$1 provision=$2
shift 2
[ "$1" = "--" ] && shift
cmd=("$@")
. "$(dirname "${BASH_SOURCE[0]}")/netns_lib.sh"

now() { date +%s.%N; }
# close_to SECONDS_A SECONDS_B: the two differ by two ticks at most.
close_to() { awk -v a="$1" -v b="$2" -v t="$tick" 'BEGIN {d = a - b; exit !(d <= 2 * t && d >= -2 * t)}'; }

add_pair 1
rx1=$(counter qva1 rx_bytes) tx1=$(counter qva1 tx_bytes)
start_program
for _ in $(seq 50); do [ -n "$(row_of qva1)" ] && break; ticks 0.2; done
start1=$(now)
[ -n "$(row_of qva1)" ] || fail "no row for qva1"
ticks 2

# The lock: a writer that keeps its transaction open for 8 ticks.
locked=$work/locked
( echo "BEGIN IMMEDIATE;"; echo "UPDATE log SET speed = speed;"; echo ".print locked";
  ticks 8; echo "COMMIT;" ) | sqlite3 -cmd '.timeout 2000' "$db" >"$locked" &
lock=$!
for _ in $(seq 50); do [ -s "$locked" ] && break; sleep 0.1; done
[ -s "$locked" ] || fail "the other process could not take the lock"

ping_pair 1 6 1400
ticks 1.5
end1=$(now)
ip -n "$nsa" addr flush dev qva1  # ends while the log is locked
down1=$(($(counter qva1 rx_bytes) - rx1)) up1=$(($(counter qva1 tx_bytes) - tx1))
add_pair 2                         # begins while the log is locked
start2=$(now)
rx2=$(counter qva2 rx_bytes) tx2=$(counter qva2 tx_bytes)
ticks 1
[ -z "$(row_of qva2)" ] || fail "qva2 was logged while the log was locked"
wait "$lock"

wait_row qva1 "$down1" "$up1"
IFS='|' read -r _ dur1 _ _ <<<"$(row_of qva1)"
close_to "$dur1" "$(awk -v a="$end1" -v b="$start1" 'BEGIN {print (a - b) / '"$tick"'}')" ||
  fail "qva1 lasted $(awk -v a="$end1" -v b="$start1" 'BEGIN {print a - b}') s, its row says $dur1 ticks"
echo "ended while locked: qva1 $(row_of qva1) (kernel: $down1/$up1)"

ping_pair 2 4 1000
ticks 1.5
down2=$(($(counter qva2 rx_bytes) - rx2)) up2=$(($(counter qva2 tx_bytes) - tx2))
end2=$(now)
stop_program
[ "$(row_of qva2 | cut -d'|' -f3,4)" = "$down2|$up2" ] ||
  { rows; fail "qva2 shows $(row_of qva2), the kernel counted $down2|$up2"; }
IFS='|' read -r _ dur2 _ _ <<<"$(row_of qva2)"
close_to "$dur2" "$(awk -v a="$end2" -v b="$start2" 'BEGIN {print (a - b) / '"$tick"'}')" ||
  fail "qva2 lasted $(awk -v a="$end2" -v b="$start2" 'BEGIN {print a - b}') s, its row says $dur2 ticks"
echo "began while locked: qva2 $(row_of qva2) (kernel: $down2/$up2)"
echo "PASS"
