// The main window's part in the live views: the sampling cycle feeds the meter and the
// statistics window through it, each only while that window's Tag is 1.
#include "traffic/TrafficEngine.h"
#include "ui/main/Forms.h"
#include "ui/main/TFmain.h"

namespace quorvane {

void TFmain::set_forms(const Forms* forms) {
    m_forms = forms;
    if (m_forms == nullptr) return;
    if (m_forms->Fmeter) {
        m_forms->Fmeter->set_device_table(&m_engine->mibarray());
        m_forms->Fmeter->set_regional(m_context.regional);
    }
    if (m_forms->Fstat) {
        m_forms->Fstat->set_device_table(&m_engine->mibarray());
        m_forms->Fstat->set_regional(m_context.regional);
    }
    attach_config_windows();
}

bool TFmain::wants_meter() const {
    return m_forms && m_forms->Fmeter && m_forms->Fmeter->Tag() == 1;
}

void TFmain::update_meter(const Tmibarray& devices) {
    if (m_forms && m_forms->Fmeter) m_forms->Fmeter->update_meter(devices);
}

bool TFmain::wants_stat() const {
    return m_forms && m_forms->Fstat && m_forms->Fstat->Tag() == 1;
}

void TFmain::update_stat(const Tmibarray& devices) {
    if (m_forms && m_forms->Fstat) m_forms->Fstat->update_stat(devices);
}

}  // namespace quorvane
