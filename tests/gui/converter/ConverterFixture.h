// SPDX-License-Identifier: MIT
// A converter for window tests: its own settings file and a copy of the shipped
// code dictionary in a temporary folder, dialogs answered by the test (or
// with their first button when nothing is queued), on the offscreen platform.
#pragma once

#include "converter/ConverterApp.h"
#include "storage/FileRegistry.h"
#include "tests/gui/FindControl.h"
#include "tests/support/TempFolder.h"

#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

namespace kolvane::converter::testing {

class ConverterFixture : public ::testing::Test {
protected:
    ConverterFixture() {
        std::filesystem::copy_file(SHIPPED_DICTIONARY, folder.path("CodigosAds.db"));
    }

    // The converter, built on first use so a test can prepare the settings.
    ConverterApp& app() {
        if (!app_) {
            app_ = std::make_unique<ConverterApp>(
                ConverterEnvironment{registry, clock, folder.path("CodigosAds.db"),
                                     folder.path("program"), folder.path("program/Brennick")});
            app_->dialogs().setUnattended(true);
        }
        return *app_;
    }
    ConverterContext& context() { return app().context(); }
    Dialogs& dialogs() { return app().dialogs(); }
    const ImportSetup& setup() { return app().session().setup(); }
    void useLanguage(const char* code) {
        registry.writeValue(RootKey::CurrentUser, WinReg::kSettingsKey, "Language", code);
    }
    bool waitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 30000);
    }

    kolvane::testing::TempFolder folder;
    FileRegistry registry{folder.path("registry.reg")};
    FixedClock clock{std::chrono::year{2026} / 12 / 8};

private:
    std::unique_ptr<ConverterApp> app_;
};

using guitest::in;

} // namespace kolvane::converter::testing
