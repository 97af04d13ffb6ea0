// SPDX-License-Identifier: MIT
#include "converter/FindingsPanel.h"

#include "engine/FindingsReport.h"
#include "engine/Messages.h"
#include "engine/SourceTable.h"
#include "engine/StringTable.h"
#include "engine/ValueFindings.h"
#include "gui/QtText.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

namespace kolvane::converter {
namespace {

constexpr int kRowRole = Qt::UserRole;

struct KindTexts {
    FindingKind kind;
    int name; // the kind in a row
};
constexpr std::array<KindTexts, kFindingKinds> kKinds{{
    {FindingKind::Cut, msg::FindingKindCut},
    {FindingKind::NotANumber, msg::FindingKindNotANumber},
    {FindingKind::Date, msg::FindingKindNotADate},
    {FindingKind::Time, msg::FindingKindNotATime},
    {FindingKind::EmptyIndex, msg::FindingKindEmptyIndex},
    {FindingKind::Letter, msg::FindingKindLetter},
}};

int kindName(FindingKind kind) {
    for (const KindTexts& texts : kKinds) {
        if (texts.kind == kind) {
            return texts.name;
        }
    }
    return msg::FindingKindCut;
}

} // namespace

FindingsPanel::FindingsPanel(const Language& language, QWidget* parent)
    : QWidget(parent), language_(language), summary_(new QLabel(this)),
      list_(new QTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    summary_->setObjectName(QStringLiteral("lblFindings"));
    summary_->setWordWrap(true);
    list_->setObjectName(QStringLiteral("lstFindings"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    QStringList headers;
    for (const int header :
         {msg::FindingsHeaderLine, msg::FindingsHeaderColumn, msg::FindingsHeaderCode,
          msg::FindingsHeaderSource, msg::FindingsHeaderWritten, msg::FindingsHeaderKind}) {
        headers << FromAnsi(language_.LoadText(header));
    }
    list_->setHeaderLabels(headers);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const long row = item->data(0, kRowRole).toLongLong();
        if (row >= 0) {
            emit rowRequested(row);
        }
    });
}

QString FindingsPanel::summary(const ValueFindings& findings) const {
    if (findings.empty()) {
        return FromAnsi(language_.LoadText(msg::FindingsNone));
    }
    QStringList counts;
    for (const KindTexts& texts : kKinds) {
        if (const std::size_t count = findings.count(texts.kind); count > 0) {
            counts << FromAnsi(KindCount(texts.kind, count, language_));
        }
    }
    return counts.join(QStringLiteral("; ")) + QLatin1Char(' ') +
           FromAnsi(language_.FillText(
               msg::FindingsSeverities,
               {ErrorsAndWarnings(findings.errors(), findings.warnings(), language_)}));
}

void FindingsPanel::showFindings(const ValueFindings& findings, const SourceTable& rows) {
    summary_->setText(summary(findings));
    list_->clear();
    list_->setVisible(!findings.empty());
    const QString error = FromAnsi(language_.LoadText(msg::FindingError));
    const QString warning = FromAnsi(language_.LoadText(msg::FindingWarning));
    QList<QTreeWidgetItem*> items;
    for (const ValueFinding& finding : findings.kept()) {
        auto* item = new QTreeWidgetItem(QStringList{
            QString::number(finding.sourceLine), QString::number(finding.column),
            FromAnsi(finding.mnemonic), FromAnsi(finding.sourceText), FromAnsi(finding.writtenText),
            (finding.severity == Severity::Error ? error : warning) + QStringLiteral(": ") +
                FromAnsi(language_.LoadText(kindName(finding.kind)))});
        const auto row = rows.sourceLines().row(finding.sourceLine, rows.rowCount());
        item->setData(0, kRowRole, row ? static_cast<qlonglong>(*row) : qlonglong{-1});
        items << item;
    }
    list_->addTopLevelItems(items);
}

} // namespace kolvane::converter
