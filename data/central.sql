-- The central log: one row per connection of every meter that pushes into it, keyed by the
-- meter's host name and its connection id. Run once by the database's owner:
--   psql -v ON_ERROR_STOP=1 -d quorvane -f central.sql
-- It makes two roles without login, quorvane_meter and quorvane_reader; give each meter a
-- login role of its own that is a member of quorvane_meter, and say which host name it
-- writes as in meter_host (see the README).

CREATE TABLE IF NOT EXISTS log (
    host        text    NOT NULL,  -- the name the meter reports as
    devuniqueid text    NOT NULL,  -- connection id: ifindex-yyyymmddhhmmss-random
    startdate   date    NOT NULL,  -- the day of the first write
    starttime   text    NOT NULL   -- time of day of the first write, 13:45
        CONSTRAINT starttime_is_hh_mm CHECK (starttime ~ '^[0-2][0-9]:[0-5][0-9]$'),
    usera       text    NOT NULL,  -- user tag, "local"
    deventry    text    NOT NULL,  -- device name
    duration    integer NOT NULL,  -- seconds online
    speed       integer NOT NULL,  -- interface speed in bits per second
    dload       bigint  NOT NULL,  -- bytes downloaded
    uload       bigint  NOT NULL,  -- bytes uploaded
    meter_rowid bigint  NOT NULL,  -- the row's place in the meter's own log: of two rows with
                                   -- one start, reports show the one written last first
    PRIMARY KEY (host, devuniqueid)
);

-- Reports read a period, and a device within it (its name compared without regard to ASCII
-- letter case, as a meter's own log compares it).
CREATE INDEX IF NOT EXISTS log_by_start ON log (startdate, starttime);
CREATE INDEX IF NOT EXISTS log_by_device ON log (lower(deventry COLLATE "C"), startdate);

-- Which login role writes as which host.
CREATE TABLE IF NOT EXISTS meter_host (
    role_name name NOT NULL,
    host      text NOT NULL UNIQUE,
    PRIMARY KEY (role_name, host)
);

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quorvane_meter') THEN
        CREATE ROLE quorvane_meter NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quorvane_reader') THEN
        CREATE ROLE quorvane_reader NOLOGIN;
    END IF;
END
$$;

-- Whether the role of this session writes as that host. It reads meter_host with its
-- owner's rights, so that a meter needs no right to read that table.
CREATE OR REPLACE FUNCTION quorvane_writes_as(row_host text) RETURNS boolean
    LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, public
    AS $$ SELECT EXISTS (SELECT 1 FROM public.meter_host m
                         WHERE m.role_name = session_user AND m.host = row_host) $$;
REVOKE ALL ON FUNCTION quorvane_writes_as(text) FROM PUBLIC;
GRANT EXECUTE ON FUNCTION quorvane_writes_as(text) TO quorvane_meter;

REVOKE ALL ON log, meter_host FROM PUBLIC;
-- A meter inserts and rewrites its own rows. An upsert reads the row it would rewrite, so a
-- meter may also read its own rows, and nothing else.
GRANT SELECT, INSERT, UPDATE ON log TO quorvane_meter;
GRANT SELECT ON log TO quorvane_reader;

ALTER TABLE log ENABLE ROW LEVEL SECURITY;
DROP POLICY IF EXISTS meter_reads_own ON log;
DROP POLICY IF EXISTS meter_inserts_own ON log;
DROP POLICY IF EXISTS meter_updates_own ON log;
DROP POLICY IF EXISTS reader_reads_all ON log;
CREATE POLICY meter_reads_own ON log FOR SELECT TO quorvane_meter
    USING (quorvane_writes_as(host));
CREATE POLICY meter_inserts_own ON log FOR INSERT TO quorvane_meter
    WITH CHECK (quorvane_writes_as(host));
CREATE POLICY meter_updates_own ON log FOR UPDATE TO quorvane_meter
    USING (quorvane_writes_as(host)) WITH CHECK (quorvane_writes_as(host));
CREATE POLICY reader_reads_all ON log FOR SELECT TO quorvane_reader USING (true);
