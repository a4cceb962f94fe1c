#pragma once

#include "host/TService.h"

namespace quorvane {

class TFmain;
class TUniApplication;

// The program's one service, "QVANESVC". It does no traffic work of its own: its start
// switches the main window to service mode (the service reports running only after that),
// and its stop ends the main thread's loop.
class TROrdService : public TService {
public:
    explicit TROrdService(TUniApplication& owner);

    void set_main_window(TFmain* main_window) { m_main_window = main_window; }

    void ServiceStart(TService& sender, bool& started);
    void ServiceStop(TService& sender, bool& stopped);

private:
    TUniApplication& m_owner;
    TFmain* m_main_window = nullptr;
};

}  // namespace quorvane
