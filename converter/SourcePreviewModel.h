// SPDX-License-Identifier: MIT
// The first rows of the source table as a grid, for the columns and codes
// window: the rows are copied once (at most kPreviewRows of them), so the grid
// never reads the session's table while a job has borrowed it, and a source
// of any width costs only the cells that are painted. The current column is
// painted light green, every other cell white.
#pragma once

#include "engine/SourceTable.h"

#include <QAbstractTableModel>

namespace kolvane::converter {

class SourcePreviewModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr std::size_t kPreviewRows = 70;

    explicit SourcePreviewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Copies the first rows of `source`.
    void showSource(const SourceTable& source);
    // The source column painted as current (1-based; 0 for none).
    void setCurrentColumn(int column);
    int currentColumn() const { return current_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void repaintColumn(int column);

    SourceTable preview_;
    int current_ = 0;
};

} // namespace kolvane::converter
