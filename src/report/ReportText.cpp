#include "report/ReportText.h"

namespace quorvane {

void ReportText::write_out() {
    m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
    m_text.clear();
}

bool ReportText::finish() {
    write_out();
    m_out.flush();
    return static_cast<bool>(m_out);
}

}  // namespace quorvane
