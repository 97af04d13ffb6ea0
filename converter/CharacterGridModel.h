// SPDX-License-Identifier: MIT
// The grid of the fixed columns window: one row per shown source line, one
// column per character position (from 0), one character per cell, each column
// drawn in its look (marked start, painted band or plain). The first line with
// characters fixes the width; longer lines are cut there, shorter ones leave
// their last cells empty.
#pragma once

#include "converter/FixedColumnMarks.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>

namespace kolvane::converter {

class CharacterGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(QStringList lines);
    // One look per column; missing ones are plain.
    void setLooks(std::vector<ColumnLook> looks);
    // The font of the view: looks other than plain are drawn in its bold face.
    void setFont(const QFont& font);

    int width() const { return width_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // A ruler: the last digit of each character's position (1 for the first),
    // every tenth in bold.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ColumnLook lookOf(int column) const;
    QVariant character(const QModelIndex& index) const;

    QStringList lines_;
    int width_ = 0;
    std::vector<ColumnLook> looks_;
    QFont boldFont_;
};

} // namespace kolvane::converter
