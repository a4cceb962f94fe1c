#!/usr/bin/env bash
# End-to-end check on the real kernel: config/log.db is deleted while the program runs and
# a new one is provisioned. The program logs into the new file from its next tick: the
# open connection's row is there, and is right when the program stops.
#
# usage: replaced_log.sh TICK_SECONDS PROVISION_SCRIPT -- COMMAND...
#   as real_traffic.sh.
set -uo pipefail

tick=$1 provision=$2
shift 2
[ "$1" = "--" ] && shift
cmd=("$@")
. "$(dirname "${BASH_SOURCE[0]}")/netns_lib.sh"

add_pair 1
rx1=$(counter qva1 rx_bytes) tx1=$(counter qva1 tx_bytes)
start_program
for _ in $(seq 50); do [ -n "$(row_of qva1)" ] && break; ticks 0.2; done
id=$(rows | cut -d'|' -f1)
[ -n "$id" ] || fail "no row for qva1"
ping_pair 1 5 1400
ticks 1.5

# As a user would: the file goes, and a new one is provisioned in its place.
rm -f "$db"
ticks 2
[ ! -e "$db" ] || fail "the program created $db"
"$provision" "$data" >/dev/null || fail "provisioning $data again"
ticks 2
down=$(($(counter qva1 rx_bytes) - rx1)) up=$(($(counter qva1 tx_bytes) - tx1))
[ "$(rows | wc -l)" = 1 ] || { rows; fail "expected the open connection's row in the new file"; }
[ "$(rows | cut -d'|' -f1)" = "$id" ] || { rows; fail "the row in the new file is not connection $id"; }
wait_row qva1 "$down" "$up"
echo "new file: $(rows) (kernel: $down/$up)"

ping_pair 1 4 800
ticks 1.5
down=$(($(counter qva1 rx_bytes) - rx1)) up=$(($(counter qva1 tx_bytes) - tx1))
stop_program
[ "$(row_of qva1 | cut -d'|' -f3,4)" = "$down|$up" ] ||
  { rows; fail "after SIGTERM qva1 shows $(row_of qva1), the kernel counted $down|$up"; }
[ "$(rows | wc -l)" = 1 ] || { rows; fail "expected one row in the new file"; }
echo "stopped: $(rows) (kernel: $down/$up)"
echo "PASS"
