// SPDX-License-Identifier: MIT
// The form localiser: window designs hold text numbers instead of texts (in
// captions, tool tips, tab and column-header captions). The first walk over a
// form keeps each number in a dynamic property of its control ("textId",
// "toolTipId", "tabTextIds", "headerIds"); every walk then shows the text that
// the text source gives for it, so a form can be walked again after a language
// change. A number without a text, and a design value that is no number, leave
// the property as it is.
#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace kolvane {

class FormLocaliser {
public:
    // The text for a design number: the string table for the converter, the
    // herd software's texts (and the string table) for the runner.
    using TextSource = std::function<std::optional<QString>(int number)>;

    explicit FormLocaliser(TextSource texts, std::optional<QFont> font = std::nullopt)
        : texts_(std::move(texts)), font_(std::move(font)) {}

    // Localises the form and every control, menu action, tab and column header
    // in it; with a font, the form and every control take that font.
    void localise(QWidget& form) const;

    // The text for a design value; nothing when it is no number or has no text.
    std::optional<QString> textFor(const QString& designValue) const;

private:
    TextSource texts_;
    std::optional<QFont> font_;
};

} // namespace kolvane
