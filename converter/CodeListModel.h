// SPDX-License-Identifier: MIT
// The rows of a code list as a grid: the eight fields of the code dictionary,
// the data type and the import permission shown as their texts. The model owns
// its rows, so a dictionary of any size is handed over at once and the grid
// only asks for what it paints.
#pragma once

#include "herdlink/CodeDictionary.h"

#include <QAbstractTableModel>
#include <vector>

namespace kolvane {
class Language;
}

namespace kolvane::converter {

class CodeListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Codes, ItemNumber, IndexItem, Description, Decimals, Width, DataType, Import };
    static constexpr int kColumnCount = 8;

    explicit CodeListModel(const Language& language, QObject* parent = nullptr);

    void setRows(std::vector<CodeRow> rows);
    void clear() { setRows({}); }
    const CodeRow& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

    // Codes and descriptions sort as text without regard to letter case; the
    // other columns by the value of their numbers (text after numbers, as text).
    void sortRows(int column, Qt::SortOrder order);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(const CodeRow& row, int column) const;

    const Language& language_;
    std::vector<CodeRow> rows_;
};

} // namespace kolvane::converter
