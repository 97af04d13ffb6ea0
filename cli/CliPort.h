// SPDX-License-Identifier: MIT
// The user port of the command line: messages on standard error in the chosen
// language, progress only when standard error is a terminal.
#pragma once

#include "engine/StringTable.h"
#include "engine/UserPort.h"

#include <cstdio>
#include <string>

namespace kolvane::cli {

// Writes a line "kolvane-cli: <text>" to standard error; `ansiText` is in the
// ANSI code page and is shown as UTF-8.
void PrintError(std::string_view ansiText);

class CliPort final : public UserPort {
public:
    explicit CliPort(const Language& language);

    MessageAnswer showMessage(int number, MessageIcon icon, MessageButtons buttons) override;
    MessageAnswer showText(std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override;
    void startProgress(int captionNumber, std::int64_t maximum) override;
    void setProgress(std::int64_t value) override;
    void endProgress() override;

private:
    const Language& language_;
    bool terminal_;
    std::string caption_;
    std::int64_t maximum_ = 0;
    int lastPercent_ = -1;
};

} // namespace kolvane::cli
