// SPDX-License-Identifier: MIT
#include "cli/CliPort.h"

#include "cli/ElapsedLine.h"
#include "engine/Ansi.h"
#include "engine/FindingsReport.h"

namespace kolvane::cli {

std::string Shown(std::string_view ansiText) {
    return AnsiToUtf8(ansiText);
}

void PrintLine(std::string_view shownText) {
    std::string text = "kolvane-cli: ";
    text += shownText;
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

void PrintError(std::string_view ansiText) {
    PrintLine(Shown(ansiText));
}

void PrintStatus(const Status& status, const Language& language) {
    const std::string rest = Shown(Status(status).withPath({}).describe(language));
    PrintLine(status.path().empty() ? rest : status.path() + ": " + rest);
}

CliPort::CliPort(const Language& language) : language_(language), terminal_(IsTerminal(stderr)) {}

MessageAnswer CliPort::showMessage(int number, MessageIcon icon, MessageButtons buttons) {
    // There is no setup window here to blame for a date: the saved setup is meant.
    if (number == msg::DateNotTranslated) {
        number = msg::DateNotTranslatedRunner;
    }
    return showText(language_.LoadText(number), icon, buttons);
}

// Nobody answers on the command line: questions take their first button (OK or
// Yes), so the work goes on as a user confirming every step would.
MessageAnswer CliPort::showText(std::string_view text, MessageIcon, MessageButtons buttons) {
    if (lastPercent_ >= 0) {
        std::fputs("\n", stderr);
        lastPercent_ = -1;
    }
    PrintError(text);
    return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
}

void CliPort::startProgress(int captionNumber, std::int64_t maximum) {
    caption_ = AnsiToUtf8(language_.LoadText(captionNumber));
    maximum_ = maximum;
    lastPercent_ = -1;
    setProgress(0);
}

void CliPort::setProgress(std::int64_t value) {
    if (!terminal_ || maximum_ <= 0) {
        return;
    }
    const int percent = static_cast<int>(value * 100 / maximum_);
    if (percent != lastPercent_) {
        std::fprintf(stderr, "\r%s %3d%%", caption_.c_str(), percent);
        std::fflush(stderr);
        lastPercent_ = percent;
    }
}

void CliPort::endProgress() {
    if (terminal_ && lastPercent_ >= 0) {
        std::fprintf(stderr, "\r%s 100%%\n", caption_.c_str());
        std::fflush(stderr);
    }
    lastPercent_ = -1;
    maximum_ = 0;
}

void PrintFindings(const ValueFindings& findings, const std::string& source,
                   const Language& language) {
    if (findings.empty()) {
        return;
    }
    const std::string text = Shown(FindingsReport(findings, source, language));
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace kolvane::cli
