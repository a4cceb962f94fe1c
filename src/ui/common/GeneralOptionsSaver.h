#pragma once

namespace quorvane {

// Saves the general options, among them the tip window's check box. The configuration
// dialog does it; the tip window asks for it when it closes, without knowing the dialog.
class GeneralOptionsSaver {
public:
    virtual void save_general_cfg() = 0;

protected:
    ~GeneralOptionsSaver() = default;
};

}  // namespace quorvane
