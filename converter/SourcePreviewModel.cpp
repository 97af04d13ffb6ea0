// SPDX-License-Identifier: MIT
#include "converter/SourcePreviewModel.h"

#include "gui/QtText.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <utility>
#include <vector>

namespace kolvane::converter {
namespace {

const QColor kCurrentColumn(0xC0, 0xFF, 0xC0);

} // namespace

void SourcePreviewModel::showSource(const SourceTable& source) {
    beginResetModel();
    preview_.reset(source.columnCount());
    const std::size_t rows = std::min(source.rowCount(), kPreviewRows);
    std::vector<std::string_view> cells(static_cast<std::size_t>(source.columnCount()));
    for (std::size_t row = 0; row < rows; ++row) {
        for (int column = 0; column < source.columnCount(); ++column) {
            cells[static_cast<std::size_t>(column)] = source.cell(row, column);
        }
        preview_.appendRow(cells);
    }
    current_ = 0;
    endResetModel();
}

void SourcePreviewModel::setCurrentColumn(int column) {
    const int previous = std::exchange(current_, column);
    repaintColumn(previous);
    repaintColumn(current_);
}

void SourcePreviewModel::repaintColumn(int column) {
    if (column >= 1 && column <= columnCount() && rowCount() > 0) {
        emit dataChanged(index(0, column - 1), index(rowCount() - 1, column - 1),
                         {Qt::BackgroundRole});
    }
}

int SourcePreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(preview_.rowCount());
}

int SourcePreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : preview_.columnCount();
}

QVariant SourcePreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return FromAnsi(preview_.cell(static_cast<std::size_t>(index.row()), index.column()));
    }
    if (role == Qt::BackgroundRole) {
        return QBrush(index.column() + 1 == current_ ? kCurrentColumn : QColor(Qt::white));
    }
    if (role == Qt::ForegroundRole) {
        return QBrush(Qt::black); // readable on both backgrounds in any colour scheme
    }
    return {};
}

// The fixed first column numbers the rows; the columns carry their numbers.
QVariant SourcePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole) {
        return QString::number(section + 1);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace kolvane::converter
