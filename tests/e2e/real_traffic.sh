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

fail() {
  echo "FAIL: $*"
  if [ -s "${work:-/nonexistent}/err" ]; then echo "--- program's standard error:"; tail -n 20 "$work/err"; fi
  exit 1
}
skip() { echo "SKIP: $*"; exit 77; }

[ "$(id -u)" = 0 ] || skip "network namespaces need root"
command -v ip >/dev/null || skip "the ip command is missing"
command -v sqlite3 >/dev/null || fail "the sqlite3 command is missing"

tag=$$
nsa=qvA$tag nsb=qvB$tag ifa=qva$tag ifb=qvb$tag
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  ip netns del "$nsa" 2>/dev/null
  ip netns del "$nsb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$nsa" 2>/dev/null || skip "cannot create network namespaces here"
ip netns add "$nsb" || fail "second namespace"
ip link add "$ifa" netns "$nsa" type veth peer name "$ifb" netns "$nsb" ||
  skip "cannot create a veth pair here"
for ns in "$nsa" "$nsb"; do
  ip netns exec "$ns" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1
done
ip -n "$nsa" addr add 10.199.0.1/24 dev "$ifa"
ip -n "$nsb" addr add 10.199.0.2/24 dev "$ifb"
ip -n "$nsa" link set "$ifa" up
ip -n "$nsb" link set "$ifb" up
# Fixed neighbour entries: no ARP probes that would add traffic after the test's own.
mac() { ip -n "$1" link show dev "$2" | awk '/link\/ether/ {print $2}'; }
ip -n "$nsa" neigh replace 10.199.0.2 lladdr "$(mac "$nsb" "$ifb")" dev "$ifa" nud permanent
ip -n "$nsb" neigh replace 10.199.0.1 lladdr "$(mac "$nsa" "$ifa")" dev "$ifb" nud permanent

data=$work/data
"$provision" "$data" >/dev/null || fail "provisioning $data"
db=$data/config/log.db

counter() { ip netns exec "$nsa" cat "/sys/class/net/$ifa/statistics/$1"; }
rows() { sqlite3 -separator '|' "$db" \
  "select Devuniqueid, Deventry, Duration, dload, uload from log order by rowid"; }
# Waits until row N (from 1) holds the expected download and upload counts: a periodic
# update after the traffic carries them. A count that never matches fails after 70 ticks.
wait_counts() {
  local n=$1 down=$2 up=$3
  for _ in $(seq 140); do
    [ "$(rows | sed -n "${n}p" | cut -d'|' -f4,5)" = "$down|$up" ] && return 0
    sleep "$(awk "BEGIN{print $tick/2}")"
  done
  rows; fail "row $n never showed download $down and upload $up (the kernel's counts)"
}
ping_b() { ip netns exec "$nsa" ping -q -n -c "$1" -s "$2" -i 0.2 -W 1 10.199.0.2 >/dev/null ||
  fail "ping into the other namespace"; }

# The program's own settings stores must not leak in from the machine running the test.
export XDG_CONFIG_HOME=$work/xdg HOME=$work/home
mkdir -p "$XDG_CONFIG_HOME" "$HOME"
unset DISPLAY WAYLAND_DISPLAY

rx0=$(counter rx_bytes) tx0=$(counter tx_bytes)
(cd "$data" && exec ip netns exec "$nsa" "${cmd[@]//@DATA@/$data}") >"$work/out" 2>"$work/err" &
pid=$!
sleep "$(awk "BEGIN{print $tick*3}")"
ping_b 12 1400
ping_b 5 200
sleep 1
rx1=$(counter rx_bytes) tx1=$(counter tx_bytes)
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
sleep "$(awk "BEGIN{print $tick*2}")"
before=$(rows)
sleep "$(awk "BEGIN{print $tick*36}")"
[ "$(rows)" = "$before" ] || { rows; fail "the row changed while the device was offline"; }

# Giving it back starts a new connection, named after the alias now.
ip -n "$nsa" addr add 10.199.0.1/24 dev "$ifa"
rx2=$(counter rx_bytes) tx2=$(counter tx_bytes)
sleep "$(awk "BEGIN{print $tick*3}")"
ping_b 7 900
sleep 1
rx3=$(counter rx_bytes) tx3=$(counter tx_bytes)
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

kill -TERM "$pid"
wait "$pid"
status=$?
pid=
[ "$status" = 0 ] || { cat "$work/err"; fail "the program exited with $status after SIGTERM"; }
echo "PASS"
