#pragma once

#include <string>
#include <vector>

#include "format/RegionalSettings.h"
#include "logdb/LogRow.h"
#include "platform/Clock.h"
#include "platform/ConnectionNames.h"
#include "platform/DialupDirectory.h"
#include "platform/NetworkTables.h"
#include "platform/RandomSource.h"
#include "traffic/NetworkSnapshot.h"
#include "traffic/SamplingObserver.h"
#include "traffic/Tmibdata.h"

namespace quorvane {

class LogDatabase;

// The machine-facing ports the engine reads on every tick.
struct TrafficPorts {
    NetworkTables& tables;
    ConnectionNames& names;
    DialupDirectory& dialup;
    Clock& clock;
    RandomSource& random;
};

// The device table and its once-a-second cycle. One tick is, in this order:
//   advance_tick_counter(); sample_interfaces(); [the now-online grid];
//   if (dev_cfg_changed()) reload_dev_options(); logging_pass();
// The steps are separate so that the main window can run them in that order inside its
// own guard; run_tick() runs them without the grid. Errors are exceptions.
//
// When a logged connection ends (its device goes offline or its interface vanishes) its
// row is rewritten with the figures of its last online tick at the next logging pass; a
// rewrite that fails is kept and done again at the following passes. write_final_figures()
// does the same for every open connection when the program stops.
class TrafficEngine {
public:
    TrafficEngine(TrafficPorts ports, RegionalSettings regional, std::string data_dir,
                  LogDatabase& log);

    void advance_tick_counter();
    void sample_interfaces();
    void reload_dev_options();
    void logging_pass();
    // The four steps above, in order.
    void run_tick();
    // Rewrites the row of every open logged connection with its present figures, and the
    // rows of connections that ended and are not rewritten yet. For the program's stop.
    void write_final_figures();

    // Inserts (mode 0) or updates (mode 1) a connection's log row; other modes do nothing.
    void writelog(const std::string& devuniqueid, const std::string& user,
                  const std::string& deventry, int32_t duration, int32_t speed, int64_t dload,
                  int64_t uload, int32_t mode);

    void set_observer(SamplingObserver* observer) { m_observer = observer; }
    void set_regional(const RegionalSettings& regional) { m_regional = regional; }

    Tmibarray& mibarray() { return m_mibarray; }
    const Tmibarray& mibarray() const { return m_mibarray; }
    int tick_counter() const { return m_tick; }
    bool dev_cfg_changed() const { return m_dev_cfg_changed != 0; }
    void set_dev_cfg_changed() { m_dev_cfg_changed = 1; }
    // One line per device of the last sampling: name, status code, status name, address,
    // type name.
    const std::vector<std::string>& diagnostic_lines() const { return m_diagnostics; }
    const std::string& dev_ini_path() const { return m_dev_ini_path; }

private:
    // The row of a connection that ended, with its last figures, and the log file its
    // row was written to.
    struct EndedConnection {
        LogRow row;
        uint64_t log_file = 0;
    };
    // A logged connection whose row was inserted.
    static bool has_open_row(const Tmibdata& device);
    static LogRow row_of(const Tmibdata& device);
    void connection_ended(const Tmibdata& device);
    void insert_row(Tmibdata& device, const LocalTime& now);
    // Rewrites a row; where the row is missing because the log file was replaced since it
    // was written, writes it anew into the present file.
    void rewrite_row(const LogRow& row, uint64_t& log_file);
    void rewrite_ended_connections();
    void rewrite_rows_of_replaced_file();

    TrafficPorts m_ports;
    // The adapters by address, sorted again only when they change.
    AdapterIndex m_adapters;
    RegionalSettings m_regional;
    std::string m_dev_ini_path;
    LogDatabase& m_log;
    SamplingObserver* m_observer = nullptr;
    Tmibarray m_mibarray;
    int m_tick = 0;
    int m_dev_cfg_changed = 1;
    std::vector<std::string> m_diagnostics;
    std::vector<uint32_t> m_present;  // the interface numbers of the last sampling
    std::vector<EndedConnection> m_ended;
};

}  // namespace quorvane
