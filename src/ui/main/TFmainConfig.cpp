// The main window's part in the configuration dialog and the tip of the day: what they
// work on, handed to them once the windows exist.
#include "traffic/TrafficEngine.h"
#include "ui/main/BudgetMonitor.h"
#include "ui/main/Forms.h"
#include "ui/main/TFmain.h"
#include "usage/DeviceList.h"

namespace quorvane {

void TFmain::attach_config_windows() {
    if (!m_forms || !m_forms->Fconfig) return;
    TFconfigLinks links;
    links.data_dir = m_context.data_dir;
    links.regional = m_context.regional;
    links.device_list = [this] {
        TDialupEntriesArray phone_book;
        m_context.ports.dialup.read_dialup_entries(phone_book);
        return build_device_list(phone_book, m_engine->mibarray(), *m_log);
    };
    links.log = m_log.get();
    links.dev_cfg_changed = [this] {
        m_engine->set_dev_cfg_changed();
        m_budgets->settings_changed();
    };
    links.tip = m_forms->Ftip.get();
    links.owner = this;
    links.meter = m_forms->Fmeter.get();
    links.stat = m_forms->Fstat.get();
    m_forms->Fconfig->attach(std::move(links));
    if (m_forms->Ftip) m_forms->Ftip->attach(m_context.data_dir, m_forms->Fconfig.get(), this);
}

}  // namespace quorvane
