#pragma once

#include <QWidget>

class QRadioButton;

namespace quorvane {

// "Display mode :" with the two views of the grid: "Currently online device", selected at
// start, and "From database".
class DisplayModeBar : public QWidget {
    Q_OBJECT

public:
    explicit DisplayModeBar(QWidget* parent = nullptr);

    QRadioButton* Radionowonline() const { return m_now_online; }
    QRadioButton* Radiofrimdatabase() const { return m_from_database; }
    bool now_online() const;

private:
    QRadioButton* m_now_online;
    QRadioButton* m_from_database;
};

}  // namespace quorvane
