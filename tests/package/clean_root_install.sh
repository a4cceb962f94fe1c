#!/usr/bin/env bash
# Installs the built package into a clean Debian 12 root and tries it as a new user would:
# no settings, a display, a first start from the home folder. Checks that the data
# directory is made, that the loopback's traffic is in the log within 5 seconds, that
# quorvane-report of the same user shows it, and that lintian says nothing of the package.
#   clean_root_install.sh DEB
# Needs root, debootstrap, Xvfb, lintian and the Debian mirror (it downloads a minimal
# system and the package's dependencies, about 150 MB). The program runs in a network
# namespace of the test's own. Runs only with QUORVANE_CLEAN_ROOT=1. Exit status 77 means
# skipped.
set -euo pipefail
deb=$(realpath -m "$1")
mirror=${QUORVANE_DEBIAN_MIRROR:-http://deb.debian.org/debian}

skip() { echo "SKIP: $*"; exit 77; }
[[ ${QUORVANE_CLEAN_ROOT:-} == 1 ]] || skip "set QUORVANE_CLEAN_ROOT=1 to run it (it downloads)"
[[ -f $deb ]] || skip "no package $deb (scripts/package makes it)"
((EUID == 0)) || skip "needs root"
for tool in debootstrap Xvfb lintian sqlite3 ip; do
  command -v "$tool" >/dev/null || skip "needs $tool"
done

root=$(mktemp -d /var/tmp/quorvane-root.XXXXXX)
chmod 755 "$root"  # the root of the new system
netns=qv-clean-root-$$
display=$((4000 + $$ % 1000))
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  for m in tmp/.X11-unix dev/pts dev sys proc; do
    mountpoint -q "$root/$m" && umount -l "$root/$m"
  done
  ip netns delete "$netns" 2>/dev/null || true
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== lintian"
said=$(lintian "$deb" 2>&1 | grep -v '^running with root privileges' || true)
[[ -z $said ]] || fail "lintian: $said"

echo "== a clean Debian 12 root in $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
  { tail -20 "$root.debootstrap.log"; fail "debootstrap"; }
rm -f "$root.debootstrap.log"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >/dev/null
chroot "$root" getent passwd quorvane >/dev/null || fail "no system user quorvane"
chroot "$root" useradd --create-home newuser

echo "== a display :$display and a network namespace $netns"
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [[ -S /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done
ip netns add "$netns"
ip netns exec "$netns" ip link set lo up

as_user() {  # as_user COMMAND...: in the namespace, in the root, as the new user (in a subshell)
  exec ip netns exec "$netns" chroot "$root" setpriv --reuid=newuser --regid=newuser --init-groups \
    env -i HOME=/home/newuser USER=newuser PATH=/usr/bin:/bin DISPLAY=":$display" \
    sh -c 'cd "$HOME" && exec "$@"' sh "$@"
}

echo "== quorvane, started from the home folder"
as_user quorvane >"$root/tmp/quorvane.err" 2>&1 &
program=$!
data=$root/home/newuser/.local/share/quorvane
started=$(date +%s.%N)
rows=0
while (($(echo "$(date +%s.%N) - $started < 5" | bc -l))); do
  rows=$(sqlite3 "file:$data/config/log.db?mode=ro" 'select count(*) from log' 2>/dev/null || echo 0)
  ((rows > 0)) && break
  sleep 0.2
done
took=$(echo "$(date +%s.%N) - $started" | bc -l)
((rows > 0)) || { cat "$root/tmp/quorvane.err"; fail "nothing logged within 5 s"; }
printf 'logged within %.1f s\n' "$took"
for f in config/tip.cfg config/dev.ini "qvane help/qvane.html"; do
  [[ -f $data/$f ]] || fail "$f was not made"
done
[[ $(chroot "$root" stat -c %U /home/newuser/.local/share/quorvane/config/log.db) == newuser ]] ||
  fail "log.db is not the user's"

echo "== quorvane-report of the same user"
report=$(as_user quorvane-report --connections --format csv) || fail "quorvane-report failed"
echo "$report" | head -3
(($(echo "$report" | wc -l) >= 2)) || fail "the report shows no connection"

kill -TERM "$program"
wait "$program" || fail "quorvane ended with status $?"

echo "== the service's unit, then apt-get purge: nothing of the package is left"
mkdir -p "$root/etc/systemd/system"
chroot "$root" env -i PATH=/usr/bin:/bin quorvane -install -silent || fail "quorvane -install"
grep -q '^User=quorvane$' "$root/etc/systemd/system/QVANESVC.service" ||
  fail "the unit does not run as the package's user"
mkdir -p "$root/var/lib/quorvane/config"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quorvane >/dev/null
for left in /usr/bin/quorvane /usr/share/quorvane /usr/share/doc/quorvane /var/lib/quorvane \
  /etc/systemd/system/QVANESVC.service /etc/systemd/system/multi-user.target.wants/QVANESVC.service; do
  [[ ! -e $root$left && ! -L $root$left ]] || fail "$left is left after the purge"
done
! chroot "$root" getent passwd quorvane >/dev/null || fail "the user quorvane is left"
[[ -f $data/config/log.db ]] || fail "the user's own data went with the package"
echo "PASS"
