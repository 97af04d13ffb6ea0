// SPDX-License-Identifier: MIT
#include "converter/CodeListModel.h"

#include "converter/ColumnCodes.h"
#include "engine/Numbers.h"
#include "engine/StringTable.h"
#include "gui/QtText.h"

#include <algorithm>
#include <numeric>

namespace kolvane::converter {
namespace {

const std::string& fieldOf(const CodeRow& row, int column) {
    const std::string* fields[] = {&row.Mnemonico,   &row.Codigo_ADIS, &row.INDICE_ADS,
                                   &row.Explicacion, &row.Decimales,   &row.Ancho,
                                   &row.Tipo,        &row.Import_All};
    return *fields[column];
}

bool sortsAsText(int column) {
    return column == CodeListModel::Codes || column == CodeListModel::Description;
}

// What one cell sorts by: a number by its value, anything else by its text
// (case-folded where letter case must not matter).
struct SortKey {
    std::optional<double> number;
    QString text;
};

SortKey sortKeyOf(const CodeRow& row, int column) {
    const std::string_view field = FieldContent(fieldOf(row, column));
    if (sortsAsText(column)) {
        return {std::nullopt, FromAnsi(field).toCaseFolded()};
    }
    return {ParseNumber(field, NumberFormat{}), FromAnsi(field)};
}

// Numbers by value before texts, texts by their characters.
bool keyLess(const SortKey& a, const SortKey& b) {
    if (a.number && b.number) {
        return *a.number < *b.number;
    }
    if (a.number || b.number) {
        return a.number.has_value();
    }
    return a.text < b.text;
}

} // namespace

CodeListModel::CodeListModel(const Language& language, QObject* parent)
    : QAbstractTableModel(parent), language_(language) {}

void CodeListModel::setRows(std::vector<CodeRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void CodeListModel::sortRows(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kColumnCount || rows_.empty()) {
        return;
    }
    std::vector<SortKey> keys;
    keys.reserve(rows_.size());
    for (const CodeRow& row : rows_) {
        keys.push_back(sortKeyOf(row, column));
    }
    std::vector<std::size_t> positions(rows_.size());
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
        return order == Qt::AscendingOrder ? keyLess(keys[a], keys[b]) : keyLess(keys[b], keys[a]);
    });
    std::vector<CodeRow> sorted;
    sorted.reserve(rows_.size());
    for (const std::size_t index : positions) {
        sorted.push_back(std::move(rows_[index]));
    }
    emit layoutAboutToBeChanged();
    rows_ = std::move(sorted);
    emit layoutChanged();
}

int CodeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CodeListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString CodeListModel::cellText(const CodeRow& row, int column) const {
    if (column == DataType || column == Import) {
        const int value = FieldNumber(fieldOf(row, column));
        const int text = column == DataType ? TypeTextNumber(value) : ImportTextNumber(value);
        return text == 0 ? QString() : FromAnsi(language_.LoadText(text));
    }
    return FromAnsi(FieldContent(fieldOf(row, column)));
}

QVariant CodeListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        return cellText(row(index.row()), column);
    }
    if (role == Qt::TextAlignmentRole) {
        const bool number =
            column == ItemNumber || column == IndexItem || column == Decimals || column == Width;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant CodeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount) {
        return FromAnsi(language_.LoadText(kCodeHeadings[section]));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace kolvane::converter
