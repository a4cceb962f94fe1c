#!/usr/bin/env bash
# The tick against its floor on a machine of many interfaces: in a network namespace of its
# own with 8 and then 64 veth interfaces (up, one IPv4 address each, the peers in a second
# namespace), runs the floor benchmark (one link dump, one getifaddrs()) and the
# real-interface tick, and prints the CPU time of each and their ratio. Needs root.
#
# usage: bench/namespaces.sh QV_BENCH [COUNTS...]   (default counts: 8 64)
set -euo pipefail

bench=${1:?usage: $0 QV_BENCH [COUNTS...]}
shift
counts=("$@")
((${#counts[@]})) || counts=(8 64)
[ "$(id -u)" = 0 ] || { echo "namespaces.sh: needs root" >&2; exit 1; }

goal() { if (($1 >= 64)); then echo 2.0; else echo 1.5; fi; }
nsa=qvbenchA$$ nsb=qvbenchB$$
cleanup() { ip netns del "$nsa" 2>/dev/null || true; ip netns del "$nsb" 2>/dev/null || true; }
trap cleanup EXIT

# Reads the benchmark's JSON: the medians of the CPU times, in microseconds.
report='
import json, sys
n, goal = sys.argv[1], float(sys.argv[2])
medians = {b["run_name"]: b["cpu_time"] for b in json.load(sys.stdin)["benchmarks"]
           if b.get("aggregate_name") == "median"}
floor = medians["BM_FloorLinkDumpAndAddresses"]
tick = medians["BM_TickRealInterfaces"]
print(f"{n:<10} {floor:12.1f} {tick:12.1f} {tick / floor:8.2f} {goal:6.1f}")
'
printf '%-10s %12s %12s %8s %6s\n' interfaces floor_us tick_us ratio goal
for n in "${counts[@]}"; do
  cleanup
  ip netns add "$nsa"
  ip netns add "$nsb"
  for ns in "$nsa" "$nsb"; do
    ip netns exec "$ns" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1
  done
  for i in $(seq "$n"); do
    ip link add "vb$i" netns "$nsa" type veth peer name "vc$i" netns "$nsb"
    ip -n "$nsa" addr add "10.$((200 + i / 250)).$((i % 250)).1/24" dev "vb$i"
    ip -n "$nsa" link set "vb$i" up
    ip -n "$nsb" link set "vc$i" up
  done
  json=$(ip netns exec "$nsa" "$bench" \
    --benchmark_filter='^(BM_FloorLinkDumpAndAddresses|BM_TickRealInterfaces)$' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json 2>/dev/null)
  python3 -c "$report" "$n" "$(goal "$n")" <<<"$json"
done
