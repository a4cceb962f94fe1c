#!/usr/bin/env bash
# End-to-end check on the real kernel: two network namespaces joined by a veth pair; the
# program runs in one of them with a fresh data directory while the test sends a bounded
# amount of traffic to the other; the log must then hold exactly the connections, names and
# byte counts the kernel's own counters show.
#
# usage: real_traffic.sh TICK_SECONDS PROVISION_SCRIPT -- COMMAND...
#   COMMAND runs inside the namespace with the data directory as its current directory;
#   "@DATA@" in it is replaced by the data directory's path. It must stop on SIGTERM.
set -uo pipefail

tick=$1 provision=$2
shift 2
[ "$1" = "--" ] && shift
cmd=("$@")

. "$(dirname "${BASH_SOURCE[0]}")/netns_lib.sh"

add_pair 0
ifa=qva0

# Waits until row N (from 1) holds the expected download and upload counts: a periodic
# update after the traffic carries them. A count that never matches fails after 70 ticks.
wait_counts() {
  local n=$1 down=$2 up=$3
  for _ in $(seq 140); do
    [ "$(rows | sed -n "${n}p" | cut -d'|' -f4,5)" = "$down|$up" ] && return 0
    ticks 0.5
  done
  rows; fail "row $n never showed download $down and upload $up (the kernel's counts)"
}

rx0=$(counter "$ifa" rx_bytes) tx0=$(counter "$ifa" tx_bytes)
start_program
ticks 3
ping_pair 0 12 1400
ping_pair 0 5 200
sleep 1
rx1=$(counter "$ifa" rx_bytes) tx1=$(counter "$ifa" tx_bytes)
wait_counts 1 $((rx1 - rx0)) $((tx1 - tx0))

mapfile -t r < <(rows)
[ "${#r[@]}" = 1 ] || { rows; fail "expected one row for the veth, got ${#r[@]}"; }
IFS='|' read -r id1 name1 dur1 down1 up1 <<<"${r[0]}"
[ "$name1" = "$ifa" ] || fail "Deventry is '$name1', expected '$ifa'"
[ "$down1" = $((rx1 - rx0)) ] || fail "download $down1, kernel counted $((rx1 - rx0))"
[ "$up1" = $((tx1 - tx0)) ] || fail "upload $up1, kernel counted $((tx1 - tx0))"
echo "connection 1: $name1 down=$down1 up=$up1 duration=$dur1 (kernel: $((rx1 - rx0))/$((tx1 - tx0)))"

# Taking the address away ends the connection: no more updates of its row.
ip -n "$nsa" addr flush dev "$ifa"
ip -n "$nsa" link set dev "$ifa" alias "Test LAN"
ticks 2
before=$(rows)
ticks 36
[ "$(rows)" = "$before" ] || { rows; fail "the row changed while the device was offline"; }

# Giving it back starts a new connection, named after the alias now.
ip -n "$nsa" addr add 10.199.0.1/24 dev "$ifa"
rx2=$(counter "$ifa" rx_bytes) tx2=$(counter "$ifa" tx_bytes)
ticks 3
ping_pair 0 7 900
sleep 1
rx3=$(counter "$ifa" rx_bytes) tx3=$(counter "$ifa" tx_bytes)
wait_counts 2 $((rx3 - rx2)) $((tx3 - tx2))
mapfile -t r < <(rows)
[ "${#r[@]}" = 2 ] || { rows; fail "expected two rows after reconnecting, got ${#r[@]}"; }
[ "${r[0]}" = "$(head -n1 <<<"$before")" ] || fail "the first connection's row changed"
IFS='|' read -r id2 name2 dur2 down2 up2 <<<"${r[1]}"
[ "$id2" != "$id1" ] || fail "the new connection reused the id $id1"
[ "$name2" = "Test LAN" ] || fail "Deventry is '$name2', expected the alias 'Test LAN'"
[ "$down2" = $((rx3 - rx2)) ] || fail "download $down2, kernel counted $((rx3 - rx2))"
[ "$up2" = $((tx3 - tx2)) ] || fail "upload $up2, kernel counted $((tx3 - tx2))"
echo "connection 2: $name2 down=$down2 up=$up2 duration=$dur2 (kernel: $((rx3 - rx2))/$((tx3 - tx2)))"

stop_program
echo "PASS"
