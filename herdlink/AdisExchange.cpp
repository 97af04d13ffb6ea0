// SPDX-License-Identifier: MIT
#include "herdlink/AdisExchange.h"

#include "engine/Dates.h"
#include "engine/StringTable.h"

#include <algorithm>

namespace kolvane {
namespace {

// The numeric value of a width: blanks around digits; anything else counts 0.
std::size_t widthValue(std::string_view width) {
    std::size_t value = 0;
    bool digits = false;
    for (const char c : width) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + static_cast<std::size_t>(c - '0');
            digits = true;
        } else if (c != ' ') {
            return 0;
        }
    }
    return digits ? value : 0;
}

} // namespace

std::vector<AdisPair> ADIS::Dividir_Respuesta(std::string_view answer, UserPort* port) {
    std::vector<AdisPair> pairs(1);
    bool filled = false;
    std::string definition;
    const std::size_t total = answer.size();
    const std::size_t step = std::max<std::size_t>(total / 100, 4096);
    std::size_t nextProgress = 0;
    if (port != nullptr) {
        port->startProgress(msg::ImportingCodes, static_cast<std::int64_t>(total));
    }
    std::string line;
    while (!answer.empty()) {
        const std::size_t end = answer.find('\r');
        const std::string_view raw = answer.substr(0, end);
        answer.remove_prefix(end == std::string_view::npos ? answer.size() : end + 1);
        line.clear();
        for (const char c : raw) {
            if (c != '\n') {
                line += c;
            }
        }
        if (line.starts_with("DN")) {
            definition = line;
        } else if (line.starts_with("VN") || line.starts_with("  ")) {
            if (filled) {
                pairs.emplace_back();
            }
            pairs.back() = {definition, line};
            filled = true;
        }
        const std::size_t consumed = total - answer.size();
        if (port != nullptr && consumed >= nextProgress) {
            port->setProgress(static_cast<std::int64_t>(consumed));
            nextProgress = consumed + step;
        }
    }
    if (port != nullptr) {
        port->endProgress();
    }
    return pairs;
}

std::optional<std::vector<AdisItem>>
ADIS::Leer_Items(std::string_view definition, std::string_view value, AutomationError& error) {
    if (definition.size() < 8 || value.size() < 8) {
        error = {kInvalidArgument, definition.size() < 8
                                       ? "A value line has no definition line before it."
                                       : "A value line is shorter than its record start."};
        return std::nullopt;
    }
    definition.remove_prefix(8);
    value.remove_prefix(8);
    std::vector<AdisItem> items;
    while (!definition.empty()) {
        const std::string_view piece = definition.substr(0, 11);
        definition.remove_prefix(piece.size());
        AdisItem item;
        item.itemNumber = piece.substr(0, 8);
        item.width = piece.substr(std::min<std::size_t>(8, piece.size()), 2);
        item.decimals = piece.substr(std::min<std::size_t>(10, piece.size()), 1);
        const std::string_view cut = value.substr(0, widthValue(item.width));
        item.value = cut;
        value.remove_prefix(cut.size());
        items.push_back(std::move(item));
    }
    return items;
}

std::optional<AdisRecords> ADIS::Traspaso(std::string& request, AutomationError& error) {
    server_ = AutomationObject::CreateObject(registry_, kHerdServerProgId, error);
    if (!server_) {
        return std::nullopt;
    }
    std::vector<std::string> arguments{request};
    const auto answer = server_->Call("adisexchange", arguments, error);
    if (!answer) {
        return std::nullopt;
    }
    request = arguments.front();
    const std::vector<AdisPair> pairs = Dividir_Respuesta(*answer, &port_);

    const AdisPair& sample = pairs.size() >= 2 ? pairs[1] : pairs[0];
    const auto sampleItems = Leer_Items(sample.definition, sample.value, error);
    if (!sampleItems) {
        return std::nullopt;
    }
    const std::size_t itemCount = sampleItems->size();
    AdisRecords records;
    records.reserve(pairs.size());
    for (std::size_t r = 0; r < pairs.size(); ++r) {
        auto items = Leer_Items(pairs[r].definition, pairs[r].value, error);
        if (!items) {
            return std::nullopt;
        }
        if (items->size() < itemCount) {
            error = {kSubscriptOutOfRange,
                     "Record " + std::to_string(r + 1) + " has " + std::to_string(items->size()) +
                         " items, fewer than " + std::to_string(itemCount) + "."};
            return std::nullopt;
        }
        items->resize(itemCount);
        records.push_back(std::move(*items));
    }
    return records;
}

std::optional<double> ADIS::Trans_Fechas(std::string_view adisDate) {
    return kolvane::Trans_Fechas(adisDate);
}

} // namespace kolvane
