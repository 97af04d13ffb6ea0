// SPDX-License-Identifier: MIT
#include "storage/Settings.h"

#include <charconv>

namespace kolvane {

std::string Settings::language() {
    return values_.Leer_Setting("Language", "EN", 2);
}

bool Settings::setLanguage(std::string_view code) {
    return values_.Escribir_Setting("Language", code);
}

bool Settings::showDialog() {
    return values_.Leer_Setting("ShowDialog", "1", 1) == "1";
}

bool Settings::setShowDialog(bool show) {
    return values_.Escribir_Setting("ShowDialog", show ? "1" : "0");
}

// A missing value reads as its default; a stored one that is blank or no
// whole number counts 0, as the converter has always read window positions.
int Settings::number(std::string_view name, int defaultValue) {
    const std::string stored = values_.Leer_Setting(name, std::to_string(defaultValue), 4);
    std::string_view text = stored;
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && stop == text.data() + text.size() ? value : 0;
}

WindowPlacement Settings::mainWindow() {
    const WindowPlacement defaults;
    return {number("MainLeft", defaults.left), number("MainTop", defaults.top),
            number("MainWidth", defaults.width), number("MainHeight", defaults.height)};
}

void Settings::setMainWindow(const WindowPlacement& placement) {
    values_.Escribir_Setting("MainLeft", std::to_string(placement.left));
    values_.Escribir_Setting("MainWidth", std::to_string(placement.width));
    values_.Escribir_Setting("MainTop", std::to_string(placement.top));
    values_.Escribir_Setting("MainHeight", std::to_string(placement.height));
}

std::optional<std::string> Settings::importerTimeout() {
    std::string stored = values_.Leer_Setting("ImporterTimeout", "", 0);
    if (stored.find_first_not_of(' ') == std::string::npos) { // missing, or stored empty
        return std::nullopt;
    }
    return stored;
}

std::string Settings::lastAutomaticImport() {
    std::string stored = values_.Leer_Setting("LastAutomaticImport", "", 0);
    return stored == " " ? std::string() : stored;
}

bool Settings::setLastAutomaticImport(const std::string& dstPath) {
    return values_.Escribir_Setting("LastAutomaticImport", dstPath);
}

AutomationList Settings::automaticImports() {
    AutomationList list;
    Leer_Automatizaciones(values_, list);
    return list;
}

Status Settings::setAutomaticImports(const AutomationList& list) {
    return Guardar_Automatizaciones(values_, list);
}

namespace {
std::string recentName(std::size_t position) {
    return "RecentFile" + std::to_string(position + 1);
}
} // namespace

std::vector<std::string> Settings::recentFiles() {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        std::string path = values_.Leer_Setting(recentName(i), "", 0);
        if (!path.empty() && path != " ") {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

void Settings::setRecentFiles(const std::vector<std::string>& paths) {
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        values_.Escribir_Setting(recentName(i), i < paths.size() ? paths[i] : std::string());
    }
}

std::string Settings::herdInstallFolder() {
    return values_.Leer_Ruta_HX();
}

} // namespace kolvane
