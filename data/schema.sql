-- The log database config/log.db: one row per connection of a logged device.
-- An installation creates the file from this script (scripts/provision); the program only
-- opens it. The column order is part of the format.
PRAGMA journal_mode = WAL;

CREATE TABLE IF NOT EXISTS log (
    Devuniqueid TEXT NOT NULL,                 -- connection id: ifindex-yyyymmddhhmmss-random
    startdate   TEXT NOT NULL                  -- ISO date of the first write, 2024-01-05
        CONSTRAINT startdate_is_iso_date
        CHECK (startdate GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]'),
    starttime   TEXT NOT NULL                  -- time of day of the first write, 13:45
        CONSTRAINT starttime_is_hh_mm
        CHECK (starttime GLOB '[0-2][0-9]:[0-5][0-9]'),
    usera       TEXT NOT NULL,                 -- user tag, "local"
    Deventry    TEXT NOT NULL COLLATE NOCASE,  -- device name
    Duration    INTEGER NOT NULL,              -- seconds online
    speed       INTEGER NOT NULL,              -- interface speed in bits per second
    dload       INTEGER NOT NULL,              -- bytes downloaded (64-bit)
    uload       INTEGER NOT NULL               -- bytes uploaded (64-bit)
) STRICT;

-- The logger rewrites a connection's row by its id every 30 seconds.
CREATE INDEX IF NOT EXISTS log_by_id ON log (Devuniqueid);
-- The database view reads a date range in date and time order.
CREATE INDEX IF NOT EXISTS log_by_start ON log (startdate, starttime);
-- The device list, the device filter and the device delete go by name.
CREATE INDEX IF NOT EXISTS log_by_device ON log (Deventry);
