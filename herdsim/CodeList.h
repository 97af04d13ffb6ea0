// SPDX-License-Identifier: MIT
// The herd program's code list: every ADED item it knows, with the width and
// data type its values must have and whether an import may set it.
#pragma once

#include "engine/Status.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace herdsim {

enum class DataType { YesNo = 1, Integer = 2, Decimal = 3, Date = 4, Time = 5, Text = 6 };

// Import permissions as the code list gives them.
namespace permission {
inline constexpr int kRefused = 0;
inline constexpr int kAllowed = 1;
inline constexpr int kInitOption = 2;
inline constexpr int kRestricted = 8;
inline constexpr int kRestrictedOther = 17;
inline constexpr int kInitOptionOther = 18;
} // namespace permission

struct CodeItem {
    std::string mnemonic;
    long itemNumber = 0;
    long indexItem = 0; // 0: no index needed
    std::string description;
    int decimals = 0;
    int width = 0;
    DataType type = DataType::Text;
    int importPermission = permission::kRefused;

    bool isNumber() const { return type == DataType::Integer || type == DataType::Decimal; }
    bool needsInitOption() const;
    bool isRestricted() const;
};

class CodeList {
public:
    // Reads the tab-separated list: "#" lines are comments, the first other line
    // names the columns (mnemonic, item, index, description, decimals, width,
    // type, import). The status names the line of the first entry it refuses.
    static kolvane::Status Parse(std::string_view text, CodeList& list);

    // The list that herdsim ships (resources/aded-items.tsv, built in).
    static CodeList Seed();

    const CodeItem* find(long itemNumber) const;
    const std::vector<CodeItem>& items() const { return items_; }

private:
    std::vector<CodeItem> items_;
    std::map<long, std::size_t> byNumber_;
};

} // namespace herdsim
