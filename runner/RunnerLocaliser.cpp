// SPDX-License-Identifier: MIT
#include "runner/RunnerLocaliser.h"

#include "herdlink/QtText.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

namespace kolvane {

QString RunnerLocaliser::herdText(int number) const {
    return FromAnsi(texts_.text(number));
}

std::optional<QString> RunnerLocaliser::textFor(const QString& designValue) const {
    bool isNumber = false;
    const int number = designValue.trimmed().toInt(&isNumber);
    if (!isNumber) {
        return std::nullopt;
    }
    if (number >= 1 && number <= HerdTexts::kCount) {
        return herdText(number);
    }
    if (number >= 1000) {
        if (const auto text = language_.FindTextForSpanishId(number)) {
            return FromAnsi(*text);
        }
    }
    return std::nullopt;
}

void RunnerLocaliser::localise(QWidget& window) const {
    if (const auto title = textFor(window.windowTitle())) {
        window.setWindowTitle(*title);
    }
    QFont font(FromAnsi(FindTextById(kFontNameId).value_or("")));
    font.setPointSize(FromAnsi(FindTextById(kFontSizeId).value_or("8")).toInt());
    window.setFont(font);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        control->setFont(font);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            if (const auto text = textFor(label->text())) {
                label->setText(*text);
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            if (const auto text = textFor(button->text())) {
                button->setText(*text);
            }
        }
        if (const auto tip = textFor(control->toolTip())) {
            control->setToolTip(*tip);
        }
    }
}

} // namespace kolvane
