// SPDX-License-Identifier: MIT
// A long operation stops when its caller asks: at the next row, with the
// Cancelled status and without the end line that would make a file complete.
#include "engine/AdisConversion.h"
#include "engine/Crea_Adis.h"
#include "engine/TxtTOArray.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

// Asks to stop at the first progress report, as a Cancel button would.
class CancellingPort final : public UserPort {
public:
    explicit CancellingPort(std::atomic<bool>& stop) : stop_(stop) {}
    MessageAnswer showMessage(int, MessageIcon, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    MessageAnswer showText(std::string_view, MessageIcon, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void startProgress(int, std::int64_t) override {}
    void setProgress(std::int64_t) override { stop_ = true; }
    void endProgress() override {}

private:
    std::atomic<bool>& stop_;
};

class StopFixture : public ::testing::Test {
protected:
    StopFixture() {
        setup.Separator = ";";
        setup.StoredAdisHeader = "DN000000";
        ColumnDefinition column;
        column.Mnemonic = "ID";
        column.ItemNumber = "900080";
        column.Width = "12";
        setup.ColumnTable = {column, column};
        for (int row = 0; row < 60000; ++row) {
            text += "DE" + std::to_string(row) + ";" + std::to_string(row) + "\r\n";
        }
    }
    EngineContext context() { return {language, port, NumberFormat{'.'}, clock, &stop}; }

    Language language{"EN"};
    std::atomic<bool> stop{false};
    CancellingPort port{stop};
    FixedClock clock{std::chrono::year{2026} / 12 / 8};
    ImportSetup setup;
    std::string text;
};

class StopOnRequest : public StopFixture, public ::testing::WithParamInterface<unsigned> {};

TEST_P(StopOnRequest, AConversionStopsWithoutItsEndLine) {
    ConversionOptions options;
    options.variant = AdisVariant::Runner;
    options.threads = GetParam();
    options.source.showProgress = true;
    StringSink sink;
    const ConversionResult result =
        ConvertSourceToAdis(setup, context(), SourceData::text(text, "big.txt"), options, sink);
    EXPECT_EQ(result.status.code(), ErrorCode::Cancelled) << result.status.describe();
    EXPECT_LT(result.rows, 60000u);
    EXPECT_EQ(sink.text.find("\r\nZN"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(OnOneAndOnHelperThreads, StopOnRequest, ::testing::Values(1u, 3u));

TEST_F(StopFixture, SplittingAndBuildingTheTextStopToo) {
    const SourceReadResult read = LoadDelimitedSource(setup, context(), SourceData::text(text));
    EXPECT_EQ(read.status.code(), ErrorCode::Cancelled);
    EXPECT_LT(read.rows, 60000u);

    stop = false;
    SilentPort silent;
    ASSERT_TRUE(LoadDelimitedSource(setup, {language, silent, NumberFormat{'.'}, clock},
                                    SourceData::text(text))
                    .completed());
    const Status built = BuildAdisText(setup, context());
    EXPECT_EQ(built.code(), ErrorCode::Cancelled);
    EXPECT_EQ(setup.AdisText.find("\r\nZN"), std::string::npos);
}

} // namespace
} // namespace kolvane
