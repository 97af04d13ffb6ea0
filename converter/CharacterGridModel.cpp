// SPDX-License-Identifier: MIT
#include "converter/CharacterGridModel.h"

#include <QColor>

namespace kolvane::converter {
namespace {

const QColor kMarkedText(255, 128, 0);
const QColor kFirstBackground(255, 224, 192);
const QColor kSecondBackground(192, 255, 192);

QVariant background(ColumnLook look) {
    switch (look) {
    case ColumnLook::Marked:
    case ColumnLook::FirstBand:
        return kFirstBackground;
    case ColumnLook::SecondBand:
        return kSecondBackground;
    default:
        return {}; // the view's window colour
    }
}

} // namespace

void CharacterGridModel::setLines(QStringList lines) {
    beginResetModel();
    lines_ = std::move(lines);
    const auto first = std::find_if(lines_.cbegin(), lines_.cend(),
                                    [](const QString& line) { return !line.isEmpty(); });
    width_ = first == lines_.cend() ? 0 : static_cast<int>(first->size());
    endResetModel();
}

void CharacterGridModel::setLooks(std::vector<ColumnLook> looks) {
    looks_ = std::move(looks);
    if (rowCount() > 0 && width_ > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, width_ - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole, Qt::FontRole});
    }
}

void CharacterGridModel::setFont(const QFont& font) {
    boldFont_ = font;
    boldFont_.setBold(true);
}

int CharacterGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int CharacterGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : width_;
}

ColumnLook CharacterGridModel::lookOf(int column) const {
    const auto at = static_cast<std::size_t>(column);
    return at < looks_.size() ? looks_[at] : ColumnLook::Plain;
}

QVariant CharacterGridModel::character(const QModelIndex& index) const {
    const QString& line = lines_[index.row()];
    if (index.column() >= line.size()) {
        return QString();
    }
    const QChar character = line[index.column()];
    // A tab or another control character still takes one position: show it.
    return QString(character.unicode() < 0x20 ? QChar(0x00B7) : character);
}

QVariant CharacterGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const ColumnLook look = lookOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return character(index);
    case Qt::BackgroundRole:
        return background(look);
    case Qt::ForegroundRole:
        return look == ColumnLook::Marked ? QVariant(kMarkedText) : QVariant();
    case Qt::FontRole:
        return look == ColumnLook::Plain ? QVariant() : QVariant(boldFont_);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
        return {};
    }
}

QVariant CharacterGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const bool tenth = (section + 1) % 10 == 0;
    switch (role) {
    case Qt::DisplayRole:
        return QString::number((section + 1) % 10);
    case Qt::FontRole: // every tenth position stands out, as on a ruler
        return tenth ? QVariant(boldFont_) : QVariant();
    default:
        return QAbstractTableModel::headerData(section, orientation, role);
    }
}

} // namespace kolvane::converter
