# A PostgreSQL 15 server of the caller's own, for the end-to-end checks and the benchmark:
# initdb and pg_ctl in a folder the caller names, run as an unprivileged user when the caller
# is root, listening only on a Unix socket in that folder, logins by password from a password
# file there. Sourced; the caller defines fail and skip.
#   pg_init DIR        makes the cluster and the database "quorvane" with data/central.sql
#   pg_start, pg_stop  starts or stops it (fast shutdown)
#   pg_sql SQL         runs SQL as the owner; pg_sql_as ROLE SQL as a login role (psql -At)
#   pg_add_meter ROLE HOST, pg_add_reader ROLE   login roles with passwords in the file
#   pg_url ROLE        the connection string of a role (no password in it)

pg_bin=/usr/lib/postgresql/15/bin
pg_source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

pg_run() {  # runs a command as the server's user
  if [ -n "$pg_user" ]; then runuser -u "$pg_user" -- "$@"; else "$@"; fi
}

pg_init() {
  [ -x "$pg_bin/initdb" ] || skip "no PostgreSQL 15 server programs (apt-get install postgresql-15)"
  pg_dir=$1 pg_user=
  mkdir -p "$pg_dir"
  if [ "$(id -u)" = 0 ]; then
    for u in postgres nobody; do id "$u" >/dev/null 2>&1 && { pg_user=$u; break; }; done
    [ -n "$pg_user" ] || skip "no unprivileged user to run the server"
    chmod 755 "$(dirname "$pg_dir")"
    chown "$pg_user" "$pg_dir"
  fi
  echo admin-secret >"$pg_dir/pw"
  [ -n "$pg_user" ] && chown "$pg_user" "$pg_dir/pw"
  pg_run "$pg_bin/initdb" -D "$pg_dir/data" -U admin -A scram-sha-256 --pwfile="$pg_dir/pw" \
    -E UTF8 --locale=C.UTF-8 >"$pg_dir/initdb.log" 2>&1 || fail "initdb: $(tail -5 "$pg_dir/initdb.log")"
  pg_pass=$pg_dir/pgpass
  echo "*:*:*:admin:admin-secret" >"$pg_pass"
  chmod 600 "$pg_pass"
  pg_port=$((20000 + $$ % 30000))
  pg_start
  PGPASSFILE=$pg_pass "$pg_bin/psql" "$(pg_url admin | sed 's/dbname=quorvane/dbname=postgres/')" \
    -X -q -v ON_ERROR_STOP=1 -c "CREATE DATABASE quorvane" >/dev/null || fail "create database"
  PGOPTIONS="-c client_min_messages=warning" pg_sql "$(cat "$pg_source/data/central.sql")" >/dev/null ||
    fail "loading data/central.sql"
}

pg_start() {
  pg_run "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" -w -t 60 \
    -o "-k $pg_dir -p $pg_port -c listen_addresses= ${pg_options:-}" start >/dev/null ||
    fail "the server did not start: $(tail -5 "$pg_dir/server.log")"
}
pg_stop() { pg_run "$pg_bin/pg_ctl" -D "$pg_dir/data" -m fast -w stop >/dev/null; }
pg_url() { echo "host=$pg_dir port=$pg_port dbname=quorvane user=$1"; }
pg_sql_as() { PGPASSFILE=$pg_pass "$pg_bin/psql" "$(pg_url "$1")" -X -q -At -v ON_ERROR_STOP=1 -c "$2"; }
pg_sql() { pg_sql_as admin "$1"; }
pg_password() {  # pg_password ROLE PASSWORD: the file's entry for the role
  grep -v ":$1:" "$pg_pass" >"$pg_pass.new"
  echo "*:*:*:$1:$2" >>"$pg_pass.new"
  mv "$pg_pass.new" "$pg_pass"
  chmod 600 "$pg_pass"
}
pg_add_meter() {
  pg_sql "CREATE ROLE $1 LOGIN PASSWORD '$1-pw' IN ROLE quorvane_meter;
          INSERT INTO meter_host (role_name, host) VALUES ('$1', '$2')" >/dev/null
  pg_password "$1" "$1-pw"
}
pg_add_reader() {
  pg_sql "CREATE ROLE $1 LOGIN PASSWORD '$1-pw' IN ROLE quorvane_reader" >/dev/null
  pg_password "$1" "$1-pw"
}
