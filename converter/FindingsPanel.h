// SPDX-License-Identifier: MIT
// Under the ADIS text: the values the value check found wrong, counted by kind,
// then one row each (source line, column, code, source value, written value,
// kind). Double-clicking a row asks for its ADIS line.
#pragma once

#include <QWidget>

class QLabel;
class QTreeWidget;

namespace kolvane {
class Language;
class SourceTable;
class ValueFindings;
} // namespace kolvane

namespace kolvane::converter {

class FindingsPanel final : public QWidget {
    Q_OBJECT
public:
    FindingsPanel(const Language& language, QWidget* parent = nullptr);

    void showFindings(const ValueFindings& findings, const SourceTable& rows);

signals:
    // The row (0-based, of the source table) whose ADIS line the user wants to see.
    void rowRequested(long row);

private:
    QString summary(const ValueFindings& findings) const;

    const Language& language_;
    QLabel* summary_;
    QTreeWidget* list_;
};

} // namespace kolvane::converter
