// SPDX-License-Identifier: MIT
#include "converter/AutomationEntries.h"

#include "gui/QtText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QStyle>

namespace kolvane::converter {

void FillAutomationChoice(QComboBox& choice, const AutomationList& list) {
    choice.clear();
    int widest = 0;
    for (const std::string& entry : list) {
        const QString shown = FromPath(entry);
        choice.addItem(shown);
        widest = std::max(widest, choice.fontMetrics().horizontalAdvance(shown));
    }
    const int margins = 2 * choice.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                        choice.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    choice.view()->setMinimumWidth(widest + margins);
    choice.setCurrentIndex(-1);
}

void ShowAutomationExplanation(QPlainTextEdit& box, const AutomationList& list, int entry,
                               const Language& language) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= list.size()) {
        box.clear();
        return;
    }
    QString explanation =
        FromAnsi(AutomationExplanation(list[static_cast<std::size_t>(entry)], language));
    explanation.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (explanation.endsWith(QLatin1Char('\n'))) {
        explanation.chop(1);
    }
    box.setPlainText(explanation);
}

} // namespace kolvane::converter
