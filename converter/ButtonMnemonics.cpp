// SPDX-License-Identifier: MIT
#include "converter/ButtonMnemonics.h"

#include <QAbstractButton>
#include <QSet>

namespace kolvane::converter {
namespace {

// The letter after a single '&' in `text`, if it has one ("&&" is a literal '&').
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toCaseFolded();
            }
            ++i;
        }
    }
    return {};
}

} // namespace

void AddButtonMnemonics(QWidget& window) {
    const QList<QAbstractButton*> buttons = window.findChildren<QAbstractButton*>();
    QSet<QChar> used;
    for (const QAbstractButton* button : buttons) {
        if (const QChar taken = mnemonicOf(button->text()); !taken.isNull()) {
            used.insert(taken);
        }
    }
    for (QAbstractButton* button : buttons) {
        QString text = button->text();
        if (!mnemonicOf(text).isNull() || text.contains(QLatin1Char('&'))) {
            continue;
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text[i].toCaseFolded();
            if (text[i].isLetterOrNumber() && !used.contains(letter)) {
                used.insert(letter);
                button->setText(text.insert(i, QLatin1Char('&')));
                break;
            }
        }
    }
}

} // namespace kolvane::converter
