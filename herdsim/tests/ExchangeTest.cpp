// SPDX-License-Identifier: MIT
// Tests of the automation server: requests, answers, texts, errors.
#include "engine/Ansi.h"
#include "herdsim/AdisExchange.h"
#include "herdsim/EmbeddedData.h"
#include "herdsim/HerdServer.h"
#include "herdsim/Translations.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace herdsim {
namespace {

using kolvane::automation::Answer;
using kolvane::automation::Call;

// The request with which the product refills its code dictionary.
const std::string kCodeRequest = "RN     0     901100     905100     902140     903450     908 40"
                                 "     904 40     911 50     912 50";

std::vector<std::string> answerLines(const std::string& answer) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = answer.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(answer.substr(start, end - start));
    }
    EXPECT_EQ(start, answer.size()) << "every line ends in CR LF";
    return lines;
}

TEST(AdisExchange, ParsesTheCodeRequest) {
    ASSERT_EQ(kCodeRequest.size(), 96u);
    ExchangeRequest request;
    ASSERT_EQ(ParseRequestLine(kCodeRequest, request), "");
    EXPECT_EQ(request.entity, 0);
    ASSERT_EQ(request.items.size(), 8u);
    EXPECT_EQ(request.items[0].itemNumber, 901);
    EXPECT_EQ(request.items[3].width, 45);
    EXPECT_EQ(request.items[4].width, 4);
    EXPECT_EQ(request.items[7].text, "     912 50");
}

TEST(AdisExchange, RefusesRequestsItCannotRead) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"RN     0", "too short"},
        {"", "too short"},
        {"XN     0     901100", "begins with \"RN\""},
        {"RN  abc0     901100", "not a number"},
        {"RN     0     901100     90", "11-character pieces"},
        {"RN     0     901 x0", "Item definition 1"},
        {"RN     0     901100     902000", "Item definition 2"},
    };
    for (const auto& [line, part] : bad) {
        ExchangeRequest request;
        const std::string problem = ParseRequestLine(line, request);
        EXPECT_NE(problem.find(part), std::string::npos) << line << ": " << problem;
    }
}

TEST(AdisExchange, AnswersTheCodeListInTheRequestedLayout) {
    const CodeList codes = CodeList::Seed();
    ExchangeRequest request;
    ASSERT_EQ(ParseRequestLine(kCodeRequest, request), "");
    std::string answer;
    ASSERT_EQ(AnswerCodeList(request, codes, answer), "");
    const auto lines = answerLines(answer);
    ASSERT_EQ(lines.size(), codes.items().size() + 1);
    EXPECT_EQ(lines[0], "DN000000" + kCodeRequest.substr(8));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 8u + 10 + 10 + 14 + 45 + 4 + 4 + 5 + 5) << lines[i];
        EXPECT_EQ(lines[i].substr(0, 8), "VN000000");
    }
    const std::string& testDate = *std::find_if(lines.begin(), lines.end(), [](const auto& line) {
        return line.find("TESTDATE") != std::string::npos;
    });
    EXPECT_EQ(testDate.substr(8, 10), "    900032");
    EXPECT_EQ(testDate.substr(18, 10), "    900080");
    EXPECT_EQ(testDate.substr(28, 14), "TESTDATE      ");
    EXPECT_EQ(testDate.substr(42, 45), "Milk test date" + std::string(31, ' '));
    EXPECT_EQ(testDate.substr(87), "   0   8    4    1");
}

TEST(AdisExchange, OnlyCodeListItemsBelongToEntityZero) {
    ExchangeRequest request;
    ASSERT_EQ(ParseRequestLine("RN     0     901100  900080150", request), "");
    std::string answer;
    EXPECT_NE(AnswerCodeList(request, CodeList::Seed(), answer).find("no item 00900080"),
              std::string::npos);
}

TEST(AdisExchange, ValuesAreFittedToTheirFields) {
    EXPECT_EQ(FitValue("42", 5, true), "   42");
    EXPECT_EQ(FitValue("  42 ", 3, true), " 42");
    EXPECT_EQ(FitValue("123456", 4, true), "????");
    EXPECT_EQ(FitValue("Bella", 8, false), "Bella   ");
    EXPECT_EQ(FitValue("Description", 4, false), "Desc");
}

TEST(Translations, TheBuiltInTableHasEveryTextInFourLanguages) {
    Translations translations;
    const auto status = Translations::Parse(embedded::TranslationsText(), translations);
    ASSERT_TRUE(status.ok()) << status.describe();
    for (long number = Translations::kFirst; number <= Translations::kLast; ++number) {
        for (const Language language :
             {Language::Spanish, Language::English, Language::German, Language::French}) {
            const auto text = translations.text(number, language);
            ASSERT_TRUE(text.has_value()) << number;
            EXPECT_NE(*text, "") << number;
        }
    }
    // Every character of the table has its ANSI byte, so nothing is served as "?".
    const std::string table(embedded::TranslationsText());
    EXPECT_EQ(kolvane::AnsiToUtf8(kolvane::Utf8ToAnsi(table)), table);
    EXPECT_EQ(translations.text(36000, Language::English), std::nullopt);
    EXPECT_EQ(translations.text(36051, Language::English),
              "The import finished without errors or warnings.");
    EXPECT_EQ(translations.text(36016, Language::German), "Schlie\xDF"
                                                          "en");
    // The runner writes the group counter right after text 59.
    EXPECT_EQ(translations.text(36059, Language::English), "Reading the report, group ");
}

TEST(Translations, RefusesAnIncompleteTable) {
    Translations translations;
    EXPECT_FALSE(
        Translations::Parse("number\tSP\tEN\tDE\tFR\n36001\ta\tb\tc\td\n", translations).ok());
    std::string table(embedded::TranslationsText());
    table.replace(table.find("\tStart\t"), 7, "\t \t");
    const auto status = Translations::Parse(table, translations);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "a text is empty");
}

TEST(Translations, LanguageSettings) {
    EXPECT_EQ(LanguageFromSetting("SP"), Language::Spanish);
    EXPECT_EQ(LanguageFromSetting("de"), Language::German);
    EXPECT_EQ(LanguageFromSetting(" FR "), Language::French);
    EXPECT_EQ(LanguageFromSetting("EN"), Language::English);
    EXPECT_EQ(LanguageFromSetting("IT"), Language::English);
    EXPECT_EQ(LanguageFromSetting(std::nullopt), Language::English);
}

class HerdServerTest : public ::testing::Test {
protected:
    HerdServer server(const std::string& databasePath = "/nonexistent/herd.db") {
        return HerdServer(
            {CodeList::Seed(), Translations::BuiltIn(), databasePath, [this] { return language; }},
            diagnostics);
    }
    std::optional<std::string> language;
    std::ostringstream diagnostics;
};

TEST_F(HerdServerTest, MethodNamesIgnoreLetterCaseAndArgumentsComeBack) {
    const auto answer = server().handle({"AdisExchange", {kCodeRequest}});
    ASSERT_TRUE(answer.ok) << answer.description;
    EXPECT_EQ(answer.arguments, std::vector<std::string>{kCodeRequest});
    EXPECT_EQ(answer.result.substr(0, 8), "DN000000");
}

TEST_F(HerdServerTest, TextsFollowTheLanguageSettingAtEveryCall) {
    const HerdServer herd = server();
    EXPECT_EQ(herd.handle({"gettranslationline", {"36002"}}).result, "Start");
    language = "SP";
    EXPECT_EQ(herd.handle({"gettranslationline", {"36002"}}).result, "Iniciar");
    language = "FR";
    EXPECT_EQ(herd.handle({"gettranslationline", {"36002"}}).result, "D\xE9marrer");
}

TEST_F(HerdServerTest, CallsItCannotServeAreErrors) {
    const HerdServer herd = server();
    const std::vector<std::pair<Call, long>> calls = {
        {{"frobnicate", {}}, server_error::kUnknownMethod},
        {{"adisexchange", {}}, server_error::kArgumentCount},
        {{"adisexchange", {"RN"}}, server_error::kBadRequest},
        {{"adisexchange", {"RN     0  900080150"}}, server_error::kUnknownItem},
        {{"gettranslationline", {"36000"}}, server_error::kNoSuchText},
        {{"gettranslationline", {"36062"}}, server_error::kNoSuchText},
        {{"gettranslationline", {"abc"}}, server_error::kNoSuchText},
        {{"gettranslationline", {"36001", "36002"}}, server_error::kArgumentCount},
    };
    for (const auto& [call, number] : calls) {
        const Answer answer = herd.handle(call);
        EXPECT_FALSE(answer.ok) << call.method;
        EXPECT_EQ(answer.errorNumber, number) << call.method;
        EXPECT_NE(answer.description, "") << call.method;
    }
    EXPECT_EQ(herd.handlePayload("\x01\x02").errorNumber, server_error::kUnreadableCall);
}

TEST_F(HerdServerTest, OtherEntitiesAnswerFromTheHerdDatabase) {
    kolvane::testing::TempFolder folder;
    const std::string path = folder.path("herd.db");
    {
        std::unique_ptr<HerdDatabase> database;
        ASSERT_TRUE(HerdDatabase::Open(path, database).ok());
        ImportReport report;
        std::unique_ptr<ImportTransaction> transaction;
        ASSERT_TRUE(ImportTransaction::Begin(*database, report, transaction).ok());
        ASSERT_TRUE(
            transaction->store({1, 4, 0, {{900080, "276000305501730"}, {900047, "94"}}}).ok());
        ASSERT_TRUE(transaction->store({2, 5, 0, {{900045, "Bella"}}}).ok());
        ASSERT_TRUE(transaction->store({3, 6, 0, {{900047, "30"}}}).ok());
        ASSERT_TRUE(transaction->commit(report).ok());
    }
    const std::string request = "RN     1  900080150  900047050";
    const auto answer = server(path).handle({"adisexchange", {request}});
    ASSERT_TRUE(answer.ok) << answer.description;
    EXPECT_EQ(
        answerLines(answer.result),
        (std::vector<std::string>{"DN000001  900080150  900047050", "VN000001276000305501730   94",
                                  "VN000001                  30"}));

    const auto empty = server().handle({"adisexchange", {request}});
    EXPECT_EQ(empty.result, "DN000001  900080150  900047050\r\n");
    EXPECT_NE(diagnostics.str().find("does not exist"), std::string::npos);
}

} // namespace
} // namespace herdsim
