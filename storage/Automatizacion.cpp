// SPDX-License-Identifier: MIT
#include "storage/Automatizacion.h"

namespace kolvane {

namespace {
constexpr std::string_view kListSetting = "Automatizaciones";
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

Status Guardar_Automatizaciones(WinReg& settings, const AutomationList& list) {
    if (list.size() > kMaxAutomations) {
        return {ErrorCode::BadSetup, "the list of automatic imports can hold at most " +
                                         std::to_string(kMaxAutomations) + " entries"};
    }
    for (const auto& entry : list) {
        if (Status checked = CheckAutomationPath(entry); !checked.ok()) {
            return checked;
        }
    }
    settings.Escribir_Setting(kListSetting, JoinAutomationList(list));
    return Status::Ok();
}

} // namespace kolvane
