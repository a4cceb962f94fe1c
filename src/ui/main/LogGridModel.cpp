#include "ui/main/LogGridModel.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace quorvane {

namespace {

const std::array<const char*, LogGridModel::kColumns> kHeaders = {
    "Start date", "Start time", "Network device", "Duration",
    "Download",   "Upload",     "Total traffic"};

}  // namespace

LogGridModel::LogGridModel(RegionalSettings regional, QObject* parent)
    : QAbstractTableModel(parent), m_regional(std::move(regional)) {}

int LogGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int LogGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant LogGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return text(index.row(), index.column());
}

QVariant LogGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumns) {
        return QString(kHeaders[section]);
    }
    if (orientation == Qt::Vertical) return section + 1;
    return {};
}

Qt::ItemFlags LogGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString LogGridModel::text(int row, int column) const {
    if (row < 0 || column < 0 || column >= kColumns) return {};
    const auto at = static_cast<size_t>(row);
    if (at < m_texts.size()) return QString::fromStdString(m_texts[at][column]);
    if (at < m_log_rows.size()) {
        // Only the cell asked for is formatted: a refresh formats nothing, a paint the cells
        // on screen.
        return QString::fromStdString(log_row_text(m_log_rows[at], column, m_regional));
    }
    return {};
}

int LogGridModel::data_rows() const {
    return static_cast<int>(std::max(m_texts.size(), m_log_rows.size()));
}

void LogGridModel::set_texts(std::vector<GridRowTexts> rows) {
    if (!m_log_rows.empty()) {
        // From the database view: every cell may differ.
        m_log_rows = OrderedLogRows();
        m_texts = std::move(rows);
        resize_to(std::max(m_rows, static_cast<int>(m_texts.size())));
        emit rows_set();
        return;
    }
    // The now-online view from tick to tick: only the cells whose text changed are
    // announced, so the grid repaints those cells and nothing else.
    const std::vector<GridRowTexts> before = std::exchange(m_texts, std::move(rows));
    const int old_rows = m_rows;
    const int count = std::max(m_rows, static_cast<int>(m_texts.size()));
    if (count > m_rows) {
        beginInsertRows({}, m_rows, count - 1);
        m_rows = count;
        endInsertRows();
    }
    const size_t compared =
        std::min(static_cast<size_t>(old_rows), std::max(before.size(), m_texts.size()));
    static const std::string kEmpty;
    for (size_t row = 0; row < compared; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const std::string& was = row < before.size() ? before[row][column] : kEmpty;
            const std::string& is = row < m_texts.size() ? m_texts[row][column] : kEmpty;
            if (was == is) continue;
            const QModelIndex cell = index(static_cast<int>(row), column);
            emit dataChanged(cell, cell, {Qt::DisplayRole});
        }
    }
    emit rows_set();
}

void LogGridModel::set_log_rows(OrderedLogRows rows) {
    m_texts.clear();
    m_log_rows = std::move(rows);
    resize_to(std::max(kMinimumRows, static_cast<int>(m_log_rows.size())));
    emit rows_set();
}

void LogGridModel::clear() {
    m_texts.clear();
    m_log_rows = OrderedLogRows();
    resize_to(m_rows);
    emit rows_set();
}

void LogGridModel::resize_to(int count) {
    if (count > m_rows) {
        beginInsertRows({}, m_rows, count - 1);
        m_rows = count;
        endInsertRows();
    } else if (count < m_rows) {
        beginRemoveRows({}, count, m_rows - 1);
        m_rows = count;
        endRemoveRows();
    }
    if (m_rows > 0) emit dataChanged(index(0, 0), index(m_rows - 1, kColumns - 1));
}

}  // namespace quorvane
