# Shared by the end-to-end scripts: two network namespaces of the test's own, joined by
# veth pairs, a provisioned data directory, the program under test started inside the
# first namespace, and readers of the kernel's counters and of the log. Sourced; the
# caller sets tick (seconds), provision (the script) and cmd (the program, "@DATA@" for
# the data directory) first.

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
# QV_NETNS_PREFIX names the namespaces of one developer's runs apart from another's.
nsa=${QV_NETNS_PREFIX:-qv}A$tag nsb=${QV_NETNS_PREFIX:-qv}B$tag
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
for ns in "$nsa" "$nsb"; do
  ip netns exec "$ns" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1
done

mac() { ip -n "$1" link show dev "$2" | awk '/link\/ether/ {print $2}'; }
# add_pair N: the veth pair qvaN (first namespace, 10.199.N.1) and qvbN (10.199.N.2), up,
# with fixed neighbour entries so that no ARP probe adds traffic after the test's own.
add_pair() {
  local n=$1 a=qva$1 b=qvb$1
  ip link add "$a" netns "$nsa" type veth peer name "$b" netns "$nsb" ||
    skip "cannot create a veth pair here"
  ip -n "$nsa" addr add "10.199.$n.1/24" dev "$a"
  ip -n "$nsb" addr add "10.199.$n.2/24" dev "$b"
  ip -n "$nsa" link set "$a" up
  ip -n "$nsb" link set "$b" up
  ip -n "$nsa" neigh replace "10.199.$n.2" lladdr "$(mac "$nsb" "$b")" dev "$a" nud permanent
  ip -n "$nsb" neigh replace "10.199.$n.1" lladdr "$(mac "$nsa" "$a")" dev "$b" nud permanent
}
# counter IFACE rx_bytes|tx_bytes: the kernel's count in the first namespace.
counter() { ip netns exec "$nsa" cat "/sys/class/net/$1/statistics/$2"; }
# ping_pair N COUNT SIZE: bounded traffic over pair N.
ping_pair() { ip netns exec "$nsa" ping -q -n -c "$2" -s "$3" -i 0.2 -W 1 "10.199.$1.2" >/dev/null ||
  fail "ping into the other namespace"; }
ticks() { sleep "$(awk "BEGIN{print $tick*$1}")"; }

data=$work/data
"$provision" "$data" >/dev/null || fail "provisioning $data"
db=$data/config/log.db
rows() { sqlite3 -cmd '.timeout 2000' -separator '|' "$db" \
  "select Devuniqueid, Deventry, Duration, dload, uload from log order by rowid"; }
# row_of NAME: Deventry|Duration|dload|uload of the device's last row.
row_of() { rows | awk -F'|' -v n="$1" '$2 == n {r = $2 "|" $3 "|" $4 "|" $5} END {print r}'; }
# wait_row NAME DOWN UP: waits a few ticks (never a scheduled rewrite) until the device's
# last row holds the kernel's counts.
wait_row() {
  local got
  for _ in $(seq 10); do
    got=$(row_of "$1" | cut -d'|' -f3,4)
    [ "$got" = "$2|$3" ] && return 0
    ticks 0.5
  done
  rows; fail "$1: the row shows download|upload $got, the kernel counted $2|$3"
}

# The program's own settings stores must not leak in from the machine running the test; the
# user's store names the test's data directory.
export XDG_CONFIG_HOME=$work/xdg HOME=$work/home
mkdir -p "$XDG_CONFIG_HOME/quorvane" "$HOME"
printf '[Software\\pwktdd]\nCurrentDir=%s\n' "$data" >"$XDG_CONFIG_HOME/quorvane/registry.ini"
unset DISPLAY WAYLAND_DISPLAY

start_program() {
  (cd "$data" && exec ip netns exec "$nsa" "${cmd[@]//@DATA@/$data}") >"$work/out" 2>"$work/err" &
  pid=$!
}
stop_program() {
  kill -TERM "$pid"
  wait "$pid"
  local status=$?
  pid=
  [ "$status" = 0 ] || fail "the program exited with $status after SIGTERM"
}
