#!/usr/bin/env bash
# End-to-end check on the real kernel: a connection's row holds the kernel's counts as soon
# as the connection ends, without waiting for a scheduled rewrite, whether its address is
# removed, its interface is deleted or the program is stopped right after the traffic. All
# the connections last well under 30 ticks.
#
# usage: connection_end.sh TICK_SECONDS PROVISION_SCRIPT -- COMMAND...
#   COMMAND runs inside the namespace with the data directory as its current directory;
#   "@DATA@" in it is replaced by the data directory's path. It must stop on SIGTERM.
set -uo pipefail

tick=$1 provision=$2
shift 2
[ "$1" = "--" ] && shift
cmd=("$@")
. "$(dirname "${BASH_SOURCE[0]}")/netns_lib.sh"

add_pair 1
add_pair 2
rx1=$(counter qva1 rx_bytes) tx1=$(counter qva1 tx_bytes)
rx2=$(counter qva2 rx_bytes) tx2=$(counter qva2 tx_bytes)
start_program
ticks 3
[ "$(rows | wc -l)" = 2 ] || { rows; fail "expected one row for each veth"; }

# The address goes right after the traffic: the last online tick has seen it all.
ping_pair 1 6 1400
ticks 1.5
ip -n "$nsa" addr flush dev qva1
down=$(($(counter qva1 rx_bytes) - rx1)) up=$(($(counter qva1 tx_bytes) - tx1))
wait_row qva1 "$down" "$up"
echo "address removed: qva1 $(row_of qva1) (kernel: $down/$up)"

# The interface is deleted right after the traffic.
ping_pair 2 5 900
ticks 1.5
down=$(($(counter qva2 rx_bytes) - rx2)) up=$(($(counter qva2 tx_bytes) - tx2))
ip -n "$nsa" link del qva2
wait_row qva2 "$down" "$up"
echo "interface deleted: qva2 $(row_of qva2) (kernel: $down/$up)"

# A new connection, and SIGTERM right after its traffic.
ip -n "$nsa" addr add 10.199.1.1/24 dev qva1
rx1=$(counter qva1 rx_bytes) tx1=$(counter qva1 tx_bytes)
ticks 2
[ "$(rows | wc -l)" = 3 ] || { rows; fail "expected a new row for the new connection"; }
ping_pair 1 4 1200
ticks 1.5
down=$(($(counter qva1 rx_bytes) - rx1)) up=$(($(counter qva1 tx_bytes) - tx1))
stop_program
got=$(rows | tail -n 1 | cut -d'|' -f4,5)
[ "$got" = "$down|$up" ] || { rows; fail "after SIGTERM the row shows $got, the kernel counted $down|$up"; }
echo "stopped: $(rows | tail -n 1) (kernel: $down/$up)"
rows | awk -F'|' '$3 >= 30 {exit 1}' || { rows; fail "a connection lasted 30 ticks or more"; }
echo "PASS"
