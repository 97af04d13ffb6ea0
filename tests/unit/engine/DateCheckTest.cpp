// SPDX-License-Identifier: MIT
#include "engine/DateCheck.h"

#include "engine/SendDate.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

struct ReadingCase {
    const char* pattern;
    const char* text;
    DateProblem problem;
    const char* adis; // what the conversion makes of it
};

void PrintTo(const ReadingCase& c, std::ostream* out) {
    *out << c.pattern << " / \"" << c.text << '"';
}

class DatesThatRead : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(DatesThatRead, UnderTheirPattern) {
    const auto& param = GetParam();
    const DateReading reading = ReadDateUnderPattern(param.pattern, param.text);
    EXPECT_EQ(reading.problem, param.problem);
    EXPECT_EQ(reading.adis, param.adis);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, DatesThatRead,
    ::testing::Values(ReadingCase{"dd-mm-aa", "08-12-26", DateProblem::None, "20261208"},
                      ReadingCase{"dd-mm-aa", "8-1-26", DateProblem::None, "20260108"},
                      ReadingCase{"mm-dd-aa", "12/08/26", DateProblem::None, "20261208"},
                      ReadingCase{"aa-mm-dd", "26.12.08", DateProblem::None, "20261208"},
                      ReadingCase{"ddmmaa", "081226", DateProblem::None, "20261208"},
                      ReadingCase{"ddmmaaaa", "08121999", DateProblem::None, "19991208"},
                      ReadingCase{"aaaammdd", "20240229", DateProblem::None, "20240229"},
                      // The user's own patterns, in the letters of any language.
                      ReadingCase{"DD.MM.YYYY", "08.12.2026", DateProblem::None, "20261208"},
                      ReadingCase{"TT.MM.JJJJ", " 8.12.2026", DateProblem::None, "20261208"},
                      ReadingCase{"YYMMDD", "261208", DateProblem::None, "20261208"},
                      // A blank after the date is left unread, and holds no digit.
                      ReadingCase{"dd-mm-aa", "08-12-26 ", DateProblem::None, "20261208"}));

INSTANTIATE_TEST_SUITE_P(
    Refused, DatesThatRead,
    ::testing::Values(
        ReadingCase{"dd-mm-aa", "", DateProblem::Empty, ""},
        ReadingCase{"dd-mm-aa", "1-2-3", DateProblem::TooShort, ""},
        ReadingCase{"dd-mm-aa", "   ", DateProblem::TooShort, ""},
        ReadingCase{"ddmmaa", "2512", DateProblem::TooShort, ""},
        ReadingCase{"dd-mm-aa", "ab-cd-ef", DateProblem::NotDigits, "20efcdab"},
        ReadingCase{"ddmmyyy", "08121999", DateProblem::NotDigits,
                    "1919912"
                    "08"},
        // Another layout: the pattern's separators stand on digits.
        ReadingCase{"dd-mm-aa", "2026-12-08", DateProblem::DigitAtSeparator, "20120620"},
        ReadingCase{"dd-mm-aa", "08122026", DateProblem::DigitAtSeparator, "20262208"},
        // Digits the pattern never reached: the year 2026 read as 20.
        ReadingCase{"dd-mm-aa", "4.12.2026", DateProblem::UnreadDigits, "20201204"},
        ReadingCase{"ddmmaa", "0812261", DateProblem::UnreadDigits, "20261208"},
        ReadingCase{"dd-mm-aa", "08-12-26 10:30", DateProblem::UnreadDigits, "20261208"},
        ReadingCase{"ddxmm", "25x12", DateProblem::NotDigits, "19025"},
        // Reads, but no day of the calendar.
        ReadingCase{"dd-mm-aa", "31-02-26", DateProblem::NotCalendarDate, "20260231"},
        ReadingCase{"dd-mm-aa", "08-13-26", DateProblem::NotCalendarDate, "20261308"},
        ReadingCase{"dd-mm-aa", "00-12-26", DateProblem::NotCalendarDate, "20261200"},
        ReadingCase{"aaaammdd", "20230229", DateProblem::NotCalendarDate, "20230229"},
        ReadingCase{"DD.MM.YYYY", "31.04.2026", DateProblem::NotCalendarDate, "20260431"}));

TEST(DateFormatOfASetup, FixedFormatsReadByTheirNameTheUsersOwnByItsPattern) {
    ImportSetup setup;
    setup.DateFormatName = "mm-dd-aa";
    setup.DatePattern = "DD.MM.YYYY"; // left from an earlier choice
    EXPECT_EQ(ReadingPattern(setup), "mm-dd-aa");
    EXPECT_EQ(ShownDateFormat(setup), "mm-dd-aa");
    setup.DateFormatName = std::string(kCustomDateFormat);
    EXPECT_EQ(ReadingPattern(setup), "DD.MM.YYYY");
    EXPECT_EQ(ShownDateFormat(setup), "DD.MM.YYYY");
}

class SendDateCheck : public testing::EngineFixture {};

TEST_F(SendDateCheck, ADateInTheFormatPasses) {
    setup.DateFormatName = "dd-mm-aa";
    EXPECT_EQ(SendDateRefusal(setup, "08-12-26", language, clock), std::nullopt);
    setup.DateFormatName = "aaaammdd";
    EXPECT_EQ(SendDateRefusal(setup, "20261208", language, clock), std::nullopt);
}

TEST_F(SendDateCheck, TheRefusalNamesTheFormatWithTodayWrittenInIt) {
    setup.DateFormatName = "dd-mm-aa";
    EXPECT_EQ(SendDateRefusal(setup, "2026-12-08", language, clock).value_or("<accepted>"),
              "The send date \"2026-12-08\" does not read as a date in the format dd-mm-yy, for "
              "example 08-12-26.");
    EXPECT_EQ(SendDateRefusal(setup, "31-02-26", Language("DE"), clock).value_or("<accepted>"),
              "Das Sendedatum \"31-02-26\" l\xE4sst sich nicht als Datum im Format tt-mm-jj "
              "lesen, zum Beispiel 08-12-26.");
    setup.DateFormatName = std::string(kCustomDateFormat);
    setup.DatePattern = "DD.MM.YYYY";
    EXPECT_EQ(SendDateRefusal(setup, "08.12.26", language, clock).value_or("<accepted>"),
              "The send date \"08.12.26\" does not read as a date in the format DD.MM.YYYY, for "
              "example 08.12.2026.");
    // What the user typed is shown as typed, even when it looks like a placeholder.
    EXPECT_NE(SendDateRefusal(setup, "%2", language, clock).value_or("").find("\"%2\""),
              std::string::npos);
}

TEST_F(SendDateCheck, TodayIsWrittenInThePatternThatReadsIt) {
    setup.DateFormatName = "ddmmaaaa";
    EXPECT_EQ(TodayInSetupFormat(setup, clock), "08122026");
    setup.DateFormatName = std::string(kCustomDateFormat);
    setup.DatePattern = "YYYY/MM/DD";
    const std::string today = TodayInSetupFormat(setup, clock);
    EXPECT_EQ(today, "2026/12/08");
    EXPECT_EQ(SendDateRefusal(setup, today, language, clock), std::nullopt);
}

} // namespace
} // namespace kolvane
