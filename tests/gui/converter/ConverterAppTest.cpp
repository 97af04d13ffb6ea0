// SPDX-License-Identifier: MIT
// The converter's start-up state and what it keeps at exit.
#include "tests/gui/converter/ConverterFixture.h"

namespace kolvane::converter {
namespace {

using ConverterApp_ = testing::ConverterFixture;

TEST_F(ConverterApp_, StartsInEnglishAndKeepsItsSettingsAtExit) {
    EXPECT_EQ(app().language().LanguageCode(), "EN");
    EXPECT_EQ(app().language().LanguageBase(), kEnglishBase);
    EXPECT_TRUE(context().showFixedColumnsNote);
    context().showFixedColumnsNote = false;
    context().automaticImports.push_back(folder.path("milk.dst"));
    ASSERT_TRUE(app().saveLanguageSettings().ok());
    Settings stored(registry);
    EXPECT_EQ(stored.language(), "EN");
    EXPECT_FALSE(stored.showDialog());
    EXPECT_EQ(stored.automaticImports(), AutomationList{folder.path("milk.dst")});
}

TEST_F(ConverterApp_, TheStoredLanguageAndFlagAreReadAtStart) {
    useLanguage("DE");
    registry.writeValue(RootKey::CurrentUser, WinReg::kSettingsKey, "ShowDialog", "0");
    EXPECT_EQ(app().language().LanguageBase(), kGermanBase);
    EXPECT_FALSE(context().showFixedColumnsNote);
    const auto text = context().localiser.textFor(QStringLiteral("1043"));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->toStdString(), "OK");
}

} // namespace
} // namespace kolvane::converter
