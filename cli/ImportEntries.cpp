// SPDX-License-Identifier: MIT
#include "cli/ImportEntries.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kolvane::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSeeList = " (see 'kolvane-cli imports list')";

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

std::optional<int> byNumber(const AutomationList& list, const std::string& given,
                            std::string& problem) {
    // More digits than a position can have is no position either.
    const std::size_t number = given.size() > 6 ? 0 : std::stoul(given);
    if (number >= 1 && number <= list.size()) {
        return static_cast<int>(number);
    }
    problem = "there is no automatic import number " + given + "; " +
              (list.empty()       ? std::string("none is registered")
               : list.size() == 1 ? std::string("only number 1 is registered")
                                  : "they are numbered 1 to " + std::to_string(list.size())) +
              kSeeList;
    return std::nullopt;
}

} // namespace

std::string RegisteredForm(const std::string& given) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(given, ec);
    return (ec ? fs::path(given) : absolute).lexically_normal().string();
}

std::optional<int> FindImportEntry(const AutomationList& list, const std::string& given,
                                   std::string& problem) {
    if (allDigits(given)) {
        return byNumber(list, given, problem);
    }
    if (const auto exact = Existe_Automatizacion(list, given)) {
        return exact;
    }
    const std::string wanted = RegisteredForm(given);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (fs::path(list[i]).lexically_normal().string() == wanted) {
            return static_cast<int>(i) + 1;
        }
    }
    problem = given + (wanted == given ? "" : " (" + wanted + ")") +
              ": not a registered automatic import" + kSeeList;
    return std::nullopt;
}

Status CheckSetupFileName(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".dst") {
        return {ErrorCode::BadSetup, "a setup file's name ends in .dst", path};
    }
    return Status::Ok();
}

} // namespace kolvane::cli
