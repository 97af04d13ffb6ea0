// SPDX-License-Identifier: MIT
#include "herdlink/AdisExchange.h"

#include "engine/Messages.h"
#include "storage/MemoryRegistry.h"
#include "tests/support/RecordingPort.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace kolvane {

void PrintTo(const AdisItem& item, std::ostream* out) {
    *out << '[' << item.itemNumber << '|' << item.width << '|' << item.decimals << '|' << item.value
         << ']';
}

namespace {

constexpr const char* kAgro2013 = "/work/shared/data/adis-dictionary-agro2013.ads";

TEST(DividirRespuesta, PairsValueLinesWithTheLastDefinition) {
    const auto pairs = ADIS::Dividir_Respuesta(
        "ZN ignored\r\nDN000000000009011000000905100\r\nVN000000       901       905\r\n"
        "  000000       902         0\rDN000001000000011\r\nVN000001\nX",
        nullptr);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].definition, "DN000000000009011000000905100");
    EXPECT_EQ(pairs[1].value, "  000000       902         0");
    EXPECT_EQ(pairs[2].definition, "DN000001000000011");
    EXPECT_EQ(pairs[2].value, "VN000001X"); // a line feed is dropped anywhere; no final CR needed
}

TEST(DividirRespuesta, NoValueLineLeavesOneEmptyPairThatCannotBeCut) {
    testing::RecordingPort port;
    const auto pairs = ADIS::Dividir_Respuesta("DN000000000009011000\r\nZN\r\n", &port);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].value, "");
    AutomationError error;
    EXPECT_FALSE(ADIS::Leer_Items(pairs[0].definition, pairs[0].value, error));
    EXPECT_EQ(error.number, kInvalidArgument);
    EXPECT_EQ(port.progressCaptions, std::vector<int>{msg::ImportingCodes});
    EXPECT_FALSE(port.progressOpen);
}

TEST(DividirRespuesta, ValueBeforeAnyDefinitionFailsWhenCut) {
    const auto pairs = ADIS::Dividir_Respuesta("VN000000abc\r\n", nullptr);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].definition, "");
    AutomationError error;
    EXPECT_FALSE(ADIS::Leer_Items(pairs[0].definition, pairs[0].value, error));
}

TEST(LeerItems, CutsDefinitionsAndValuesAsSent) {
    AutomationError error;
    const auto items = ADIS::Leer_Items("DN000000     901100     902140   ab",
                                        "VN000000  90008011ANIMALID   X", error);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 3u);
    EXPECT_EQ((*items)[0], (AdisItem{"     901", "10", "0", "  90008011"}));
    EXPECT_EQ((*items)[1], (AdisItem{"     902", "14", "0", "ANIMALID   X"})); // runs out early
    EXPECT_EQ((*items)[2], (AdisItem{"   ab", "", "", ""}));                   // a short piece
}

TEST(AgroDictionary, ARealFileSplitsIntoItsRecords) {
    std::ifstream in(kAgro2013, std::ios::binary);
    if (!in) {
        GTEST_SKIP() << kAgro2013 << " is not on this machine";
    }
    std::ostringstream text;
    text << in.rdbuf();
    const std::string answer = text.str();
    const auto pairs = ADIS::Dividir_Respuesta(answer, nullptr);
    ASSERT_EQ(pairs.size(), 22413u);
    std::size_t definitions = 0;
    std::string last;
    for (const auto& pair : pairs) {
        definitions += pair.definition != last ? 1 : 0;
        last = pair.definition;
    }
    EXPECT_EQ(definitions, 10u);
    AutomationError error;
    const auto first = ADIS::Leer_Items(pairs[0].definition, pairs[0].value, error);
    ASSERT_TRUE(first);
    ASSERT_EQ(first->size(), 3u);
    EXPECT_EQ((*first)[0], (AdisItem{"00190001", "08", "0", "AGRO2013"}));
    EXPECT_EQ((*first)[1].value, "20130101");
    EXPECT_EQ((*first)[2].value, "????????"); // a null value, as sent
    const auto second = ADIS::Leer_Items(pairs[2].definition, pairs[2].value, error);
    ASSERT_TRUE(second);
    EXPECT_EQ((*second)[2].value, "Animal            ");
    for (const auto& pair : pairs) { // every record cuts without an error
        ASSERT_TRUE(ADIS::Leer_Items(pair.definition, pair.value, error)) << pair.value;
    }
}

class Traspaso : public ::testing::Test {
protected:
    MemoryRegistry registry;
    testing::RecordingPort port;
    testing::TempFolder folder;

    void serve(const std::string& answer) {
        const std::string file = folder.write("answer.ads", answer);
        registry.writeValue(RootKey::ClassesRoot,
                            std::string(kHerdServerProgId) + "\\LocalServer32", "",
                            std::string(FAKE_SERVER) + " answer " + file);
    }
};

TEST_F(Traspaso, EightItemsPerCodeForTheCodeRequest) {
    const std::string definition = "DN000000     901100     905100     902140     903450     908 40"
                                   "     904 40     911 50     912 50";
    serve(definition + "\r\nVN000000    900080    900080ANIMALID      Animal id" +
          std::string(36, ' ') + "   0  15    2    1\r\n" +
          "VN000000    900003         0FILEDATE      Date file created" + std::string(28, ' ') +
          "   0   8    4    0\r\nZN\r\n");
    ADIS exchange(registry, port);
    std::string request = "RN     0     901100     905100     902140     903450     908 40"
                          "     904 40     911 50     912 50";
    AutomationError error;
    const auto records = exchange.Traspaso(request, error);
    ASSERT_TRUE(records) << error.description;
    ASSERT_EQ(records->size(), 2u);
    ASSERT_EQ((*records)[0].size(), 8u);
    EXPECT_EQ((*records)[0][0].value, "    900080");
    EXPECT_EQ((*records)[1][2].value, "FILEDATE      ");
    EXPECT_EQ((*records)[1][7].value, "    0");
    EXPECT_EQ((*records)[0][4].itemNumber, "     908");
}

TEST_F(Traspaso, FailuresComeBackAsErrors) {
    ADIS exchange(registry, port);
    std::string request = "RN     0";
    AutomationError error;
    EXPECT_FALSE(exchange.Traspaso(request, error)); // no server registered
    EXPECT_EQ(error.number, kCannotCreateObject);

    serve("DN00000000000001010\r\nZN\r\n"); // no value line
    EXPECT_FALSE(exchange.Traspaso(request, error));
    EXPECT_EQ(error.number, kInvalidArgument);

    // The second record decides the count; the third has fewer items.
    serve("DN0000000000000101000000002010\r\nVN000000ab\r\nVN000000cd\r\n"
          "DN00000000000001010\r\nVN000000e\r\n");
    EXPECT_FALSE(exchange.Traspaso(request, error));
    EXPECT_EQ(error.number, kSubscriptOutOfRange);
}

TEST(TransFechas, IsThePublicDateMethodOfTheClass) {
    EXPECT_EQ(ADIS::Trans_Fechas("20031225").value_or(-1), 37980.0);
    EXPECT_FALSE(ADIS::Trans_Fechas("20031232"));
}

} // namespace
} // namespace kolvane
