// SPDX-License-Identifier: MIT
// The runner's window localiser: window designs hold text numbers in their
// captions; a number from 1 to 61 is replaced by that herd-software text, a
// number from 1000 up by the string-table text of that Spanish id in the
// current language; other texts stay. Every window and control takes the font
// of string-table ids 20 and 21.
#pragma once

#include "engine/StringTable.h"
#include "herdlink/HerdTexts.h"

#include <QString>
#include <optional>

class QWidget;

namespace kolvane {

class RunnerLocaliser {
public:
    RunnerLocaliser(const HerdTexts& texts, const Language& language)
        : texts_(texts), language_(language) {}

    void localise(QWidget& window) const;
    // The text a design value stands for; nothing when it is no text number.
    std::optional<QString> textFor(const QString& designValue) const;
    QString herdText(int number) const;

private:
    const HerdTexts& texts_;
    const Language& language_;
};

} // namespace kolvane
