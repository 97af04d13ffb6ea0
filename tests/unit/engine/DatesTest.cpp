// SPDX-License-Identifier: MIT
#include "engine/Dates.h"

#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

using namespace std::chrono;

struct DateCase {
    const char* pattern;
    const char* value;
    const char* expected;
};

void PrintTo(const DateCase& c, std::ostream* out) {
    *out << c.pattern << " / \"" << c.value << '"';
}

class WorkedDateExamples : public ::testing::TestWithParam<DateCase> {};

TEST_P(WorkedDateExamples, ParseToAdisForm) {
    const auto& param = GetParam();
    EXPECT_EQ(ParseDateByPattern(param.pattern, param.value).value_or("<failed>"), param.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, WorkedDateExamples,
    ::testing::Values(
        DateCase{"dd-mm-aa", "25-12-03", "20031225"}, DateCase{"dd-mm-aa", "5-1-99", "19990105"},
        DateCase{"mm-dd-aa", "12/25/85", "19851225"}, DateCase{"aaaammdd", "20031225", "20031225"},
        DateCase{"ddmmaaaa", "25122003", "20031225"}, DateCase{"dd-mm-aa", " 25-12-03", "20031225"},
        DateCase{"DD.MM.YYYY", " 5.12.2003", "20031205"},
        DateCase{"dd-mm-aa", "1-2-03", "20030201"}, DateCase{"dd-mm-aa", "25-12-70", "19701225"},
        DateCase{"dd-mm-aa", "25-12-69", "20691225"}, DateCase{"ddxmm", "25x12", "19025"},
        DateCase{"", "25-12-03", "1900"}, DateCase{"TT.MM.JJJJ", "24.12.2003", "20031224"},
        DateCase{"DD.MM.YYYY", "24.12.2003", "20031224"}, DateCase{"y", "5", "200500"},
        // Separators need not match; characters beyond the pattern are ignored.
        DateCase{"dd/mm/yyyy", "24-12-2003 14:30", "20031224"},
        // Digits are not checked, and a three-digit year gets "19" in front.
        DateCase{"ddmmyyy", "ab12999", "1999912ab"}));

TEST(DateParsing, ValueShorterThanItsPatternFails) {
    EXPECT_FALSE(ParseDateByPattern("dd-mm-aa", "1-2-3").has_value());
    EXPECT_FALSE(ParseDateByPattern("ddmmaa", "2512").has_value());
    EXPECT_FALSE(ParseDateByPattern("dd-mm-aa", "25-12").has_value());
}

class DateConversion : public testing::EngineFixture {};

TEST_F(DateConversion, EmptyCellGivesEmptyTextWithoutMessage) {
    setup.DateFormatName = "dd-mm-aa";
    EXPECT_EQ(ConvertDate(setup, "", context()), "");
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(setup.DateConversionFailed);
}

TEST_F(DateConversion, TooShortValueShowsMessage152AndSetsTheFlag) {
    setup.DateFormatName = "dd-mm-aa";
    EXPECT_EQ(ConvertDate(setup, "1-2-3", context()), "");
    EXPECT_EQ(port.messages, std::vector<int>{msg::DateNotTranslated});
    EXPECT_TRUE(setup.DateConversionFailed);
}

TEST_F(DateConversion, FixedFormatOverwritesThePatternCustomKeepsIt) {
    setup.DateFormatName = "ddmmaaaa";
    setup.DatePattern = "YYYY-MM-DD";
    EXPECT_EQ(ConvertDate(setup, "25122003", context()), "20031225");
    EXPECT_EQ(setup.DatePattern, "ddmmaaaa");

    setup.DateFormatName = "Personalizado";
    setup.DatePattern = "YYYY-MM-DD";
    EXPECT_EQ(ConvertDate(setup, "2003-12-25", context()), "20031225");
    EXPECT_EQ(setup.DatePattern, "YYYY-MM-DD");
}

TEST_F(DateConversion, CustomFormatWithoutPatternGives1900) {
    setup.DateFormatName = "Personalizado";
    EXPECT_EQ(ConvertDate(setup, "25-12-2003", context()), "1900");
}

TEST(FormatToday, WritesTheDateInThePattern) {
    const FixedClock clock{year{2026} / December / 8};
    EXPECT_EQ(FormatTodayByPattern("dd-mm-aa", clock), "08-12-26");
    EXPECT_EQ(FormatTodayByPattern("aaaammdd", clock), "20261208");
    EXPECT_EQ(FormatTodayByPattern("TT.MM.JJJJ", clock), "08.12.2026");
    EXPECT_EQ(FormatTodayByPattern("D/M/YY", clock), "8/12/26");
    EXPECT_EQ(FormatTodayByPattern("Q-m", clock), "8-12");
    // A single year letter is the day of the year; other characters are copied.
    EXPECT_EQ(FormatTodayByPattern("y", clock), "342");
    EXPECT_EQ(FormatTodayByPattern("yyy x", clock), "26342 x");
    EXPECT_EQ(FormatTodayByPattern("", clock), "");
}

TEST(TransFechas, BuildsAnAutomationDate) {
    EXPECT_EQ(Trans_Fechas("18991230").value_or(-1), 0.0);
    EXPECT_EQ(Trans_Fechas("19000101").value_or(-1), 2.0);
    EXPECT_EQ(Trans_Fechas("20031225").value_or(-1), 37980.0);
    EXPECT_EQ(Trans_Fechas("031225").value_or(-1), 37980.0); // two-digit year 03 is 2003
    EXPECT_EQ(Trans_Fechas("991231").value_or(-1), 36525.0); // 99 is 1999
    EXPECT_EQ(Trans_Fechas("20240229").value_or(-1), 45351.0);
}

TEST(TransFechas, InvalidDatesAreErrors) {
    for (const char* text :
         {"20230229", "20031325", "20031200", "2003122a", "", "abcdefgh", "-0031225"}) {
        EXPECT_FALSE(Trans_Fechas(text).has_value()) << text;
    }
}

} // namespace
} // namespace kolvane

namespace kolvane {
namespace {

TEST(DateParsing, LongPatternsParseLikeShortOnes) {
    // Beyond the inline buffer the parser keeps its groups on the heap.
    const std::string pattern = std::string(70, '-') + "dd-mm-yyyy";
    const std::string value = std::string(70, '.') + "24-12-2003";
    EXPECT_EQ(ParseDateByPattern(pattern, value).value_or("<failed>"), "20031224");
    // Each early end of the month puts one more "0" in front.
    EXPECT_EQ(ParseDateByPattern("mmm", "1-").value_or("<failed>"), "190010");
}

} // namespace
} // namespace kolvane

namespace kolvane {
namespace {

// The short cut for values whose characters stand where the pattern puts them
// must give exactly what the rules step by step give, the trace included.
TEST(DateParsing, TheShortCutGivesWhatTheRulesGive) {
    const char* patterns[] = {"dd-mm-aa",   "mm-dd-aa", "aa-mm-dd",  "ddmmaa", "ddmmaaaa",
                              "aaaammdd",   "TT.MM.JJ", "y",         "ddxmm",  "d-m-y",
                              "DD\\MM\\YY", "",         "mm/dd/yyyy"};
    const char* values[] = {"31-01-26",  "29-02-00", "28-02-99",   "30-04-69",        "01-12-70",
                            "311226",    "31122026", "20261231",   "5-1-99",          " 25-12-03",
                            "25-12-03 ", "2-1",      "25-12-2003", "2512x",           "  -12-03",
                            "25- 1-03",  "ab-cd-ef", "25.12.03",   "25x12",           "7",
                            "",          "25-12-0",  "2512",       "9-9-9",           "12/31/2026",
                            "1/2/2026",  " 1-12-03", "-1-12-03",   "31-12-2026 14:30"};
    for (const char* pattern : patterns) {
        const DatePatternParser parser(pattern);
        for (const char* value : values) {
            std::string quick = "x";
            std::string stepwise = "x";
            DateParseTrace quickTrace;
            DateParseTrace stepwiseTrace;
            const bool quickOk = parser.parse(value, quick, &quickTrace);
            const bool stepwiseOk = parser.parseStepByStep(value, stepwise, &stepwiseTrace);
            EXPECT_EQ(quickOk, stepwiseOk) << pattern << " / \"" << value << '"';
            EXPECT_EQ(quick, stepwise) << pattern << " / \"" << value << '"';
            if (quickOk && stepwiseOk) {
                EXPECT_EQ(quickTrace.unread, stepwiseTrace.unread) << pattern << " / " << value;
                EXPECT_EQ(quickTrace.separatorTookDigit, stepwiseTrace.separatorTookDigit)
                    << pattern << " / " << value;
            }
        }
    }
}

TEST(DateParsing, MonthEndsAndCenturiesOfTwoDigitYears) {
    EXPECT_EQ(ParseDateByPattern("dd-mm-aa", "31-12-69").value_or(""), "20691231");
    EXPECT_EQ(ParseDateByPattern("dd-mm-aa", "31-12-70").value_or(""), "19701231");
    EXPECT_EQ(ParseDateByPattern("dd-mm-aa", "29-02-00").value_or(""), "20000229");
    EXPECT_EQ(ParseDateByPattern("dd-mm-aa", "01-01-99").value_or(""), "19990101");
}

} // namespace
} // namespace kolvane
