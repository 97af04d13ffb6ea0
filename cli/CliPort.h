// SPDX-License-Identifier: MIT
// The user port of the command line: messages on standard error in the chosen
// language, progress only when standard error is a terminal.
#pragma once

#include "engine/Status.h"
#include "engine/StringTable.h"
#include "engine/UserPort.h"
#include "engine/ValueFindings.h"

#include <cstdio>
#include <string>

namespace kolvane::cli {

// Text in the ANSI code page as the terminal shows it (UTF-8). Paths are the
// file system's own bytes already and go into a line as they are.
std::string Shown(std::string_view ansiText);
// Writes "kolvane-cli: <text>" to standard error; `shownText` is ready to show.
void PrintLine(std::string_view shownText);
// The same for text in the ANSI code page.
void PrintError(std::string_view ansiText);
// A failure in the user's language, its path as the file system spells it.
void PrintStatus(const Status& status, const Language& language);
// The value check's findings on standard error (FindingsReport); nothing when
// nothing was found.
void PrintFindings(const ValueFindings& findings, const std::string& source,
                   const Language& language);

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
