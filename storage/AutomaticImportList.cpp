// SPDX-License-Identifier: MIT
#include "storage/AutomaticImportList.h"

#include "engine/Messages.h"
#include "storage/AtomicFile.h"
#include "storage/Recover_DST.h"

#include <algorithm>

namespace kolvane {

namespace {

constexpr std::string_view kListSetting = "Automatizaciones";

// The lines of a small text file (CR LF or LF); nothing when it cannot be read.
std::optional<std::vector<std::string>> readLines(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text, kMaxDstFileSize).ok()) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace

AutomationList ParseAutomationList(std::string_view text) {
    AutomationList list;
    if (text == " ") {
        return list;
    }
    while (!text.empty()) {
        text.remove_prefix(1); // the comma in front of each entry
        const std::size_t comma = text.find(',');
        list.emplace_back(text.substr(0, comma));
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma);
    }
    return list;
}

std::string JoinAutomationList(const AutomationList& list) {
    std::string text;
    for (const auto& entry : list) {
        text += ',';
        text += entry;
    }
    return text;
}

void Leer_Automatizaciones(WinReg& settings, AutomationList& list) {
    for (auto& entry : ParseAutomationList(settings.Leer_Setting(kListSetting, "", 0))) {
        list.push_back(std::move(entry));
    }
}

Status CheckAutomationPath(std::string_view dstPath) {
    if (dstPath.find(',') != std::string_view::npos) {
        return {
            ErrorCode::BadSetup,
            "the path of an automatic import cannot hold a comma; choose another name or folder",
            std::string(dstPath)};
    }
    return Status::Ok();
}

namespace {

Status checkList(const AutomationList& list) {
    if (list.size() > kMaxAutomations) {
        return {ErrorCode::BadSetup, "the list of automatic imports can hold at most " +
                                         std::to_string(kMaxAutomations) + " entries"};
    }
    for (const auto& entry : list) {
        if (Status checked = CheckAutomationPath(entry); !checked.ok()) {
            return checked;
        }
    }
    return Status::Ok();
}

} // namespace

Status SettingsNotWritten(const WinReg& settings) {
    const std::string store = settings.location();
    return {ErrorCode::WriteFailed,
            "the settings store cannot be written (a read-only folder, a full disk, or a file "
            "that cannot be understood); nothing was changed",
            store.empty() ? std::string("the settings store") : store};
}

Status Guardar_Automatizaciones(WinReg& settings, const AutomationList& list) {
    if (Status checked = checkList(list); !checked.ok()) {
        return checked;
    }
    if (!settings.Escribir_Setting(kListSetting, JoinAutomationList(list))) {
        return SettingsNotWritten(settings);
    }
    return Status::Ok();
}

Status UpdateAutomations(WinReg& settings, const std::function<Status(AutomationList&)>& change,
                         AutomationList& stored) {
    Status outcome = Status::Ok();
    AutomationList changed;
    const bool written = settings.Actualizar_Setting(
        kListSetting, [&](const std::optional<std::string>& current) -> std::optional<std::string> {
            changed = ParseAutomationList(current.value_or(""));
            outcome = change(changed);
            if (outcome.ok()) {
                outcome = checkList(changed);
            }
            if (!outcome.ok()) {
                return std::nullopt;
            }
            return JoinAutomationList(changed);
        });
    if (!outcome.ok()) {
        return outcome;
    }
    if (!written) {
        return SettingsNotWritten(settings);
    }
    stored = std::move(changed);
    return Status::Ok();
}

std::optional<int> Existe_Automatizacion(const AutomationList& list, std::string_view dstPath) {
    const auto found = std::find(list.begin(), list.end(), dstPath);
    if (found == list.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - list.begin()) + 1;
}

std::string AutomationExplanation(const std::string& dstPath, const Language& language) {
    const auto lines = readLines(dstPath);
    if (!lines) {
        return language.LoadText(msg::AutomationFilesMissing);
    }
    std::string explanation;
    for (std::size_t i = 2; i < lines->size() && (*lines)[i] != "//"; ++i) {
        explanation += (*lines)[i] + "\r\n";
    }
    return explanation;
}

std::optional<std::string> DstThirdLine(const std::string& dstPath) {
    const auto lines = readLines(dstPath);
    if (!lines || lines->size() < 3) {
        return std::nullopt;
    }
    return (*lines)[2];
}

} // namespace kolvane
