#pragma once

#include <exception>

#include <QString>

#include "format/RegionalSettings.h"

class QWidget;

namespace quorvane {

class SummaryPanel;

// What a failed command of the database view tells the user: the filter box and its text,
// a period that starts after it ends, the device whose costs could not be worked out and
// why, or the database's own message. Dates in the regional short format, as the grid
// shows them.
QString view_error_text(const std::exception& error, const RegionalSettings& regional);

// Shows that text in an error box over the window (the error also goes on to the event log
// through the command that failed).
void show_view_error(QWidget* parent, const std::exception& error,
                     const RegionalSettings& regional);

// A refresh that failed has no summary: the device and the four figures read "--", never
// the figures of the view before it.
void show_no_summary(SummaryPanel* summary);

}  // namespace quorvane
