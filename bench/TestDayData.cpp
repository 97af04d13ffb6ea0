// SPDX-License-Identifier: MIT
#include "bench/TestDayData.h"

#include <array>
#include <random>
#include <string>

namespace kolvane::bench {
namespace {

constexpr std::array<const char*, 16> kNames = {
    "Berta", "Lotte", "Alma",  "Frieda",    "Rosi", "Emma", "Luzie", "Hanna",
    "Erna",  "Gerda", "Liesl", "Margarete", "Susi", "Olga", "Paula", "Wilhelmine"};
constexpr std::array<const char*, 6> kComments = {"",         "ok",           "sample taken",
                                                  "re-check", "teat cup off", "kick-off"};

ColumnDefinition column(const char* mnemonic, const char* item, const char* width,
                        const char* decimals) {
    ColumnDefinition definition;
    definition.Mnemonic = mnemonic;
    definition.ItemNumber = item;
    definition.RequiredIndex = "900080";
    definition.Width = width;
    definition.Decimals = decimals;
    definition.RecommendedWidth = width;
    definition.RecommendedDecimals = decimals;
    return definition;
}

} // namespace

void WriteTestDayFile(std::ostream& out, std::uint64_t rows, std::uint32_t seed) {
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    out << "Animal;Date;Milk kg;Fat %;Cells;Lact.;Name;Start;Urea;Comment\r\n";
    std::string line;
    char number[32];
    for (std::uint64_t row = 0; row < rows; ++row) {
        line.clear();
        const int idDigits = pick(12, 15);
        line += "DE";
        for (int d = 2; d < idDigits; ++d) {
            line += static_cast<char>('0' + pick(0, 9));
        }
        std::snprintf(number, sizeof number, ";%02d-%02d-%02d;%d.%d;%d.%02d;%d;%d;", pick(1, 28),
                      pick(1, 12), pick(0, 26), pick(4, 58), pick(0, 9), pick(2, 6), pick(0, 99),
                      pick(20, 900), pick(1, 9));
        line += number;
        line += kNames[static_cast<std::size_t>(pick(0, kNames.size() - 1))];
        std::snprintf(number, sizeof number, ";%02d:%02d;%d;", pick(4, 20), pick(0, 59),
                      pick(100, 400));
        line += number;
        line += kComments[static_cast<std::size_t>(pick(0, kComments.size() - 1))];
        line += "\r\n";
        out << line;
    }
}

ImportSetup TestDaySetup(const std::string& sourcePath) {
    ImportSetup setup;
    setup.SourceFilePath = sourcePath;
    setup.Description = "Test-day results from the milking parlour\r\nOne line per cow";
    setup.Separator = ";";
    setup.TopLinesToSkip = 1;
    setup.DateFormatName = "dd-mm-aa";
    setup.OptionErrOK = true;

    ColumnDefinition id = column("ANIMALID", "900080", "15", "0");
    ColumnDefinition date = column("TESTDATE", "900032", "08", "0");
    date.IsDate = true;
    ColumnDefinition milk = column("MILKKG", "800044", "03", "1");
    milk.DecimalSeparator = ".";
    ColumnDefinition fat = column("FATPCT", "900077", "04", "2");
    fat.DecimalSeparator = ".";
    fat.CorrectionFactor = "*10";
    ColumnDefinition start = column("MILKSTART", "900078", "06", "0");
    start.IsTime = true;
    setup.ColumnTable = {id,
                         date,
                         milk,
                         fat,
                         column("CELLCOUNT", "900047", "05", "0"),
                         column("LACTNUMBER", "900058", "02", "0"),
                         column("NAME", "900045", "24", "0"),
                         start,
                         column("UREA", "900026", "03", "0"),
                         column("SENDER", "900006", "24", "0"),
                         ColumnDefinition{}};
    return setup;
}

} // namespace kolvane::bench
