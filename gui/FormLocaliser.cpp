// SPDX-License-Identifier: MIT
#include "gui/FormLocaliser.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVariantList>

namespace kolvane {
namespace {

constexpr const char* kTitleId = "titleId";
constexpr const char* kTextId = "textId";
constexpr const char* kToolTipId = "toolTipId";
constexpr const char* kTabTextIds = "tabTextIds";
constexpr const char* kTabToolTipIds = "tabToolTipIds";
constexpr const char* kHeaderIds = "headerIds";

std::optional<int> numberIn(const QString& designValue) {
    bool isNumber = false;
    const int number = designValue.trimmed().toInt(&isNumber);
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

// The number behind one text of `object`: kept in `property` from the first
// walk on, so that a text shown since does not count.
std::optional<int> keptNumber(QObject& object, const char* property, const QString& designValue) {
    const QVariant kept = object.property(property);
    if (kept.isValid()) {
        return kept.toInt();
    }
    const auto number = numberIn(designValue);
    if (number) {
        object.setProperty(property, *number);
    }
    return number;
}

// The same for a list of texts (tabs, column headers): one number per entry,
// -1 where the design value was no number.
QVariantList keptNumbers(QObject& object, const char* property, const QStringList& designValues) {
    const QVariant kept = object.property(property);
    if (kept.isValid() && kept.toList().size() == designValues.size()) {
        return kept.toList();
    }
    QVariantList numbers;
    for (const QString& value : designValues) {
        numbers << numberIn(value).value_or(-1);
    }
    object.setProperty(property, numbers);
    return numbers;
}

} // namespace

std::optional<QString> FormLocaliser::textFor(const QString& designValue) const {
    const auto number = numberIn(designValue);
    return number ? texts_(*number) : std::nullopt;
}

namespace {

// Replaces one text through `set` when the source has one for its number.
template <typename Set>
void replace(const FormLocaliser::TextSource& texts, QObject& object, const char* property,
             const QString& current, Set set) {
    if (const auto number = keptNumber(object, property, current)) {
        if (const auto text = texts(*number)) {
            set(*text);
        }
    }
}

template <typename Get, typename Set>
void replaceEach(const FormLocaliser::TextSource& texts, QObject& object, const char* property,
                 int count, Get get, Set set) {
    QStringList current;
    for (int i = 0; i < count; ++i) {
        current << get(i);
    }
    const QVariantList numbers = keptNumbers(object, property, current);
    for (int i = 0; i < count; ++i) {
        const int number = numbers[i].toInt();
        if (number < 0) {
            continue;
        }
        if (const auto text = texts(number)) {
            set(i, *text);
        }
    }
}

void localiseTabs(const FormLocaliser::TextSource& texts, QTabWidget& tabs) {
    replaceEach(
        texts, tabs, kTabTextIds, tabs.count(), [&](int i) { return tabs.tabText(i); },
        [&](int i, const QString& text) { tabs.setTabText(i, text); });
    replaceEach(
        texts, tabs, kTabToolTipIds, tabs.count(), [&](int i) { return tabs.tabToolTip(i); },
        [&](int i, const QString& text) { tabs.setTabToolTip(i, text); });
}

void localiseHeaders(const FormLocaliser::TextSource& texts, QWidget& control) {
    if (auto* tree = qobject_cast<QTreeWidget*>(&control)) {
        QTreeWidgetItem* header = tree->headerItem();
        replaceEach(
            texts, *tree, kHeaderIds, header->columnCount(), [&](int i) { return header->text(i); },
            [&](int i, const QString& text) { header->setText(i, text); });
    } else if (auto* table = qobject_cast<QTableWidget*>(&control)) {
        const auto item = [table](int i) { return table->horizontalHeaderItem(i); };
        replaceEach(
            texts, *table, kHeaderIds, table->columnCount(),
            [&](int i) { return item(i) ? item(i)->text() : QString(); },
            [&](int i, const QString& text) { item(i)->setText(text); });
    }
}

void localiseControl(const FormLocaliser::TextSource& texts, QWidget& control) {
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        replace(texts, *label, kTextId, label->text(),
                [label](const QString& text) { label->setText(text); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        replace(texts, *button, kTextId, button->text(),
                [button](const QString& text) { button->setText(text); });
    } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
        replace(texts, *group, kTextId, group->title(),
                [group](const QString& text) { group->setTitle(text); });
    } else if (auto* tabs = qobject_cast<QTabWidget*>(&control)) {
        localiseTabs(texts, *tabs);
    } else {
        localiseHeaders(texts, control);
    }
    replace(texts, control, kToolTipId, control.toolTip(),
            [&control](const QString& text) { control.setToolTip(text); });
}

void localiseAction(const FormLocaliser::TextSource& texts, QAction& action) {
    replace(texts, action, kTextId, action.text(),
            [&action](const QString& text) { action.setText(text); });
    // Without a tool tip of its own an action shows its text as one.
    if (action.toolTip() != action.text()) {
        replace(texts, action, kToolTipId, action.toolTip(),
                [&action](const QString& text) { action.setToolTip(text); });
    }
}

} // namespace

void FormLocaliser::localise(QWidget& form) const {
    replace(texts_, form, kTitleId, form.windowTitle(),
            [&form](const QString& text) { form.setWindowTitle(text); });
    if (font_) {
        form.setFont(*font_);
    }
    for (QWidget* control : form.findChildren<QWidget*>()) {
        if (font_) {
            control->setFont(*font_);
        }
        localiseControl(texts_, *control);
    }
    for (QAction* action : form.findChildren<QAction*>()) {
        localiseAction(texts_, *action);
    }
}

} // namespace kolvane
