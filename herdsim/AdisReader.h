// SPDX-License-Identifier: MIT
// herdsim's own reader of ADIS text, independent of the product's writer.
//
// Lines end in CR LF or LF. The first two characters give the record kind: the
// first its class (D definition, V value, C comment, Z end, R request, f option),
// the second its status (N normal, H header, ...). A definition line carries a
// 6-character entity and 11-character item definitions (item number 8, width 2,
// decimals 1); a value line is cut by the widths of the definition of the same
// status and entity that came last. Nothing in the input makes the reader fail:
// a line it cannot use comes back as a Malformed record naming the reason, and a
// line longer than the bound is skipped without being held in memory.
#pragma once

#include <cstddef>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace herdsim {

struct ItemDefinition {
    std::string text; // the 11 characters as they stand in the line
    long itemNumber = 0;
    int width = 0;
    int decimals = 0;

    // The item number as 8 digits with zeros in front ("00900032").
    std::string paddedNumber() const;
};

struct AdisDefinition {
    char status = 'N';
    long entity = 0;
    long lineNumber = 0;
    std::vector<ItemDefinition> items;

    std::size_t valueWidth() const; // the sum of the item widths
};

enum class RecordKind { Definition, Value, Option, Comment, End, Request, Malformed };

struct AdisRecord {
    RecordKind kind = RecordKind::Malformed;
    long lineNumber = 0;
    char status = ' ';
    long entity = 0;     // definition and value lines
    std::string line;    // the line without its break (cut for a line over the bound)
    std::string problem; // Malformed: why; Value: the line does not fit its definition
    // Definition: the new definition; Value: the one its values were cut by.
    std::shared_ptr<const AdisDefinition> definition;
    std::vector<std::string> values; // Value: one per item of the definition
    std::string optionName;          // Option, lower case ("errok")
    std::string optionValue;         // Option ("1")
};

class AdisReader {
public:
    // No ADIS line comes near this; the bound keeps memory per line small.
    static constexpr std::size_t kDefaultMaxLineLength = std::size_t{1} << 20;

    explicit AdisReader(std::istream& in, std::size_t maxLineLength = kDefaultMaxLineLength);

    // The next record, or nothing at the end of the input.
    std::optional<AdisRecord> next();

    long linesRead() const { return lineNumber_; }
    // True when the stream reported an error other than its end.
    bool inputFailed() const { return in_.bad(); }

private:
    enum class LineResult { Line, TooLong, End };
    LineResult readLine();
    AdisRecord classify();
    AdisRecord readDefinition(AdisRecord record);
    AdisRecord readValue(AdisRecord record);
    static AdisRecord readOption(AdisRecord record);

    std::istream& in_;
    std::size_t maxLineLength_;
    std::string line_;
    long lineNumber_ = 0;
    // The last definition per status and entity.
    std::map<std::pair<char, long>, std::shared_ptr<const AdisDefinition>> definitions_;
};

// One 11-character item definition: item number (8), width (2), decimals (1).
// Numbers may stand right-aligned with blanks; a blank decimals place means 0.
std::optional<ItemDefinition> ParseItemDefinition(std::string_view text);

// A right-aligned number ("   901", "00000901", " 4"): blanks in front, then
// digits only. Nothing when the text is empty, all blank or not such a number.
std::optional<long> ParseAlignedNumber(std::string_view text);

} // namespace herdsim
