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
    // Another program registered an import since the start: the stored list
    // is not overwritten with the one read at start, it is read again.
    Settings stored(registry);
    ASSERT_TRUE(stored.setAutomaticImports({folder.path("milk.dst")}).ok());
    ASSERT_TRUE(app().saveLanguageSettings().ok());
    EXPECT_EQ(stored.language(), "EN");
    EXPECT_FALSE(stored.showDialog());
    EXPECT_EQ(stored.automaticImports(), AutomationList{folder.path("milk.dst")});
    EXPECT_EQ(context().automaticImports, AutomationList{folder.path("milk.dst")});
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
