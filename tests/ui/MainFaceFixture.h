#pragma once

#include <QLabel>

#include "logdb/LogDatabase.h"
#include "traffic/TrafficEngine.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/Forms.h"
#include "ui/main/LogGrid.h"
#include "ui/main/LogGridModel.h"
#include "ui/main/SummaryPanel.h"

namespace quorvane::test {

// The real main window with the other windows beside it, over a fake machine, as start-up
// makes them.
class MainFaceFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        clock.time = LocalTime{2026, 12, 10, 9, 30, 0};
        forms.Fmain = make_window();
        forms.Fabout = std::make_unique<TFabout>();
        forms.Ftip = std::make_unique<TFtip>();
        forms.Fconfig = std::make_unique<TFconfig>();
        forms.Fmeter = std::make_unique<TFmeter>();
        forms.Fstat = std::make_unique<TFstat>();
        forms.Ftuneup = std::make_unique<TFtuneup>();
        forms.Fmain->set_forms(&forms);
        window = forms.Fmain.get();
    }

    void ticks(int count) {
        for (int i = 0; i < count; ++i) window->Timer3Timer();
    }
    // Adds bytes to an interface's counters, as traffic between two ticks does.
    void traffic(uint32_t index, uint32_t down, uint32_t up) {
        net.row(index).dwInOctets += down;
        net.row(index).dwOutOctets += up;
    }
    std::string cell(int row, int column) const {
        return window->grid_model()->text(row, column).toStdString();
    }
    std::vector<std::string> devices_shown() const {
        std::vector<std::string> names;
        for (int row = 0; row < window->grid_model()->data_rows(); ++row)
            names.push_back(window->grid_model()->device_at(row).toStdString());
        return names;
    }
    // Label23, Label28, Label32, Label19, Label33.
    std::vector<std::string> summary_labels() const {
        auto* summary = window->summary();
        std::vector<std::string> texts;
        for (QLabel* label : {summary->Label23(), summary->Label28(), summary->Label32(),
                              summary->Label19(), summary->Label33()})
            texts.push_back(label->text().toStdString());
        return texts;
    }

    Forms forms;
    TFmain* window = nullptr;
};

}  // namespace quorvane::test
