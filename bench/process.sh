#!/usr/bin/env bash
# The whole running program against the floor of a tick. In a network namespace of its own
# with N interfaces (lo and N-1 veth ends, all up, one IPv4 address each, the peers in a
# second namespace) it measures the floor (one rtnetlink link dump with the 64-bit counters
# plus one getifaddrs(), the median of qv_bench's BM_FloorLinkDumpAndAddresses), then runs the
# real quorvane twice on Qt's offscreen platform, with the main window hidden
# (startminimized=1) and shown on the now-online view, and reads the CPU time of every thread
# of the process (/proc/PID/task/*/schedstat) and its context switches over SECONDS seconds
# after a warm-up. It prints the CPU microseconds per second, the wake-ups (voluntary context
# switches) per second and the ratio of the CPU per second to the floor. Beside the floor of
# the tight loop it measures the same reading done once a second by a process of its own
# (qv_floor_process, floor_proc in microseconds per second) the way it measures the program,
# and prints the program's ratio to that too (r_proc): a process woken once a second pays
# for the wake and for caches gone cold, which a tight loop never does. Needs root.
#
# usage: bench/process.sh [BUILD_DIR] [SECONDS] [COUNTS...]
#   BUILD_DIR  the build folder (default: build); SECONDS the measured time of each run
#   (default 30); COUNTS the interface counts (default: 8 64).
# With QV_PROCESS_CALLGRIND=1 the program runs under valgrind's callgrind instead, and the
# instructions it executes in user space over SECONDS are printed per second (one tick a
# second): a count that stays the same on a loaded machine, for comparing two builds. The
# profile of each run is kept as callgrind.<interfaces>.<window>.out in the current folder.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${2:-30}
shift $(($# > 2 ? 2 : $#))
counts=("$@")
((${#counts[@]})) || counts=(8 64)
callgrind=${QV_PROCESS_CALLGRIND:-0}
warmup=${QV_PROCESS_WARMUP:-5}
((callgrind)) && warmup=${QV_PROCESS_WARMUP:-15}  # valgrind starts slowly
program=$build/src/app/quorvane
bench=$build/bench/qv_bench
floor_process=$build/bench/qv_floor_process
[ "$(id -u)" = 0 ] || { echo "process.sh: needs root" >&2; exit 1; }
[ -x "$program" ] || { echo "process.sh: $program is missing (scripts/build quorvane)" >&2; exit 1; }
[ -x "$bench" ] || { echo "process.sh: $bench is missing (scripts/build qv_bench)" >&2; exit 1; }
[ -x "$floor_process" ] || { echo "process.sh: $floor_process is missing (scripts/build qv_floor_process)" >&2; exit 1; }

nsa=qv17procA$$ nsb=qv17procB$$
work=$(mktemp -d)
pid=
stop() {
  if [ -n "$pid" ]; then
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
  fi
}
drop_namespaces() { ip netns del "$nsa" 2>/dev/null || true; ip netns del "$nsb" 2>/dev/null || true; }
cleanup() { stop; drop_namespaces; rm -rf "$work"; }
trap cleanup EXIT

# namespaces N: lo and N-1 veth ends in the first namespace, all up with an address.
namespaces() {
  drop_namespaces
  ip netns add "$nsa"
  ip netns add "$nsb"
  for ns in "$nsa" "$nsb"; do
    ip netns exec "$ns" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1
  done
  ip -n "$nsa" link set lo up
  for i in $(seq $(($1 - 1))); do
    ip link add "vp$i" netns "$nsa" type veth peer name "vq$i" netns "$nsb"
    ip -n "$nsa" addr add "10.$((200 + i / 250)).$((i % 250)).1/24" dev "vp$i"
    ip -n "$nsa" link set "vp$i" up
    ip -n "$nsb" link set "vq$i" up
  done
}

# floor_us: the median CPU time of the floor in the first namespace, in microseconds.
floor_us() {
  ip netns exec "$nsa" "$bench" --benchmark_filter='^BM_FloorLinkDumpAndAddresses$' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json 2>/dev/null |
    python3 -c 'import json, sys
print(next(b["cpu_time"] for b in json.load(sys.stdin)["benchmarks"]
           if b.get("aggregate_name") == "median"))'
}

# floor_process_us: the CPU microseconds per second of qv_floor_process (the floor reading
# once a second, as a process of its own) in the first namespace, over SECONDS after the
# warm-up.
floor_process_us() {
  ip netns exec "$nsa" "$floor_process" &
  pid=$!
  sleep "$warmup"
  kill -0 "$pid" 2>/dev/null || { echo "process.sh: qv_floor_process ended" >&2; exit 1; }
  local before after
  before=$(sample)
  sleep "$seconds"
  after=$(sample)
  stop
  delta "$seconds" "$before" "$after" | cut -d' ' -f1
}

# sample: one line per thread, "<tid> <cpu ns> <voluntary switches> <involuntary switches>".
sample() {
  local task run key value vol invol
  for task in /proc/"$pid"/task/*; do
    read -r run _ <"$task/schedstat" 2>/dev/null || continue
    vol=0 invol=0
    while read -r key value; do
      case $key in
        voluntary_ctxt_switches:) vol=$value ;;
        nonvoluntary_ctxt_switches:) invol=$value ;;
      esac
    done <"$task/status" 2>/dev/null || continue
    echo "${task##*/} $run $vol $invol"
  done
}

# delta SECONDS BEFORE AFTER: the growth per second of the three counts, summed over the
# threads; a thread that started in between counts from zero, one that ended is left out
# (its last part is lost, which the thread counts printed beside show).
delta() {
  awk -v s="$1" 'NR == FNR { b[$1] = $2 " " $3 " " $4; next }
    { split(($1 in b) ? b[$1] : "0 0 0", x, " "); c += $2 - x[1]; v += $3 - x[2]; i += $4 - x[3] }
    END { printf "%.0f %.2f %.2f\n", c / 1000 / s, v / s, i / s }' <(echo "$2") <(echo "$3")
}

# run_program STATE N: starts quorvane (STATE hidden or shown) in the first namespace (N
# interfaces) with a fresh data directory, and prints "<cpu us/s> <wake-ups/s>
# <involuntary/s> <threads>", or with callgrind the instructions per second.
run_program() {
  local data=$work/data-$1 minimized=1
  [ "$1" = shown ] && minimized=0
  rm -rf "$data"
  "$root/scripts/provision" "$data" >/dev/null
  printf '[general]\nstartminimized=%s\ntipoftheday=0\n' "$minimized" >"$data/config/config.ini"
  # The program finds its data directory through the user's registry file.
  mkdir -p "$work/xdg/quorvane"
  printf '[Software\\pwktdd]\nCurrentDir=%s\n' "$data" >"$work/xdg/quorvane/registry.ini"
  local wrapper=() profile=$PWD/callgrind.$2.$1.out
  ((callgrind)) && wrapper=(valgrind --tool=callgrind --instr-atstart=no
    "--callgrind-out-file=$profile")
  (cd "$data" && exec env QT_QPA_PLATFORM=offscreen HOME="$work/home" \
    XDG_CONFIG_HOME="$work/xdg" XDG_RUNTIME_DIR="$work/run" \
    ip netns exec "$nsa" "${wrapper[@]}" "$program") >"$work/out" 2>"$work/err" &
  pid=$!
  sleep "$warmup"
  kill -0 "$pid" 2>/dev/null || { echo "process.sh: quorvane ended:" >&2; cat "$work/err" >&2; exit 1; }
  # A program that logs elsewhere runs with other options than the ones set above.
  if ! ls -l /proc/"$pid"/fd 2>/dev/null | grep -q -- "$data/config/log.db"; then
    echo "process.sh: quorvane does not log into $data:" >&2
    cat "$work/err" >&2
    exit 1
  fi
  if ((callgrind)); then
    callgrind_control -i on "$pid" >/dev/null 2>&1
    sleep "$seconds"
    callgrind_control -i off "$pid" >/dev/null 2>&1
    stop
    awk -v s="$seconds" '/^(summary|totals):/ { n = $2 } END { printf "%.0f\n", n / s }' "$profile"
    return
  fi
  local before after
  before=$(sample)
  sleep "$seconds"
  after=$(sample)
  stop
  echo "$(delta "$seconds" "$before" "$after") $(wc -l <<<"$before")/$(wc -l <<<"$after")"
}

mkdir -p "$work/home" "$work/xdg" "$work/run"
chmod 700 "$work/run"
echo "load: $(uptime)"
if ((callgrind)); then
  printf '%-10s %-7s %16s\n' interfaces window instructions/s
  for n in "${counts[@]}"; do
    namespaces "$n"
    for state in hidden shown; do
      printf '%-10s %-7s %16s\n' "$n" "$state" "$(run_program "$state" "$n")"
    done
  done
  exit 0
fi
printf '%-10s %-7s %8s %10s %12s %7s %7s %9s %8s %7s\n' interfaces window floor_us \
  floor_proc cpu_us_per_s ratio r_proc wakeups/s invol/s threads
for n in "${counts[@]}"; do
  namespaces "$n"
  floor=$(floor_us)
  floor_proc=$(floor_process_us)
  for state in hidden shown; do
    read -r cpu wake invol threads <<<"$(run_program "$state" "$n")"
    printf '%-10s %-7s %8.1f %10d %12d %7.1f %7.2f %9.2f %8.2f %7s\n' "$n" "$state" "$floor" \
      "$floor_proc" "$cpu" "$(awk -v c="$cpu" -v f="$floor" 'BEGIN { print c / f }')" \
      "$(awk -v c="$cpu" -v f="$floor_proc" 'BEGIN { print c / f }')" "$wake" "$invol" "$threads"
  done
done
echo "load: $(uptime)"
