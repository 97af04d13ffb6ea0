// SPDX-License-Identifier: MIT
#include "converter/ConverterApp.h"

#include "gui/QtText.h"

namespace kolvane::converter {
namespace {

// Window designs hold Spanish string ids (1000 to 1261) where texts go.
FormLocaliser::TextSource stringTable(const Language& language) {
    return [&language](int number) -> std::optional<QString> {
        if (const auto text = language.FindTextForSpanishId(number)) {
            return FromAnsi(*text);
        }
        return std::nullopt;
    };
}

} // namespace

ConverterApp::ConverterApp(ConverterEnvironment environment)
    : environment_(std::move(environment)), settings_(environment_.registry),
      language_(settings_.language()), showFixedColumnsNote_(settings_.showDialog()),
      automaticImports_(settings_.automaticImports()), dialogs_(QStringLiteral("Kolvane")),
      localiser_(stringTable(language_)), working_(localiser_), codeProgress_(localiser_),
      port_(language_, dialogs_, working_),
      session_(language_, port_, environment_.clock), context_{language_,
                                                               settings_,
                                                               dialogs_,
                                                               port_,
                                                               codeProgress_,
                                                               localiser_,
                                                               session_,
                                                               environment_.clock,
                                                               environment_.codeDictionaryPath,
                                                               environment_.programFolder,
                                                               showFixedColumnsNote_,
                                                               automaticImports_} {
    // Splitting, cutting and converting can be stopped; the setup stays as it was.
    working_.setCancellable(true);
    QObject::connect(&working_, &Trabajando::cancelRequested, &session_.jobs(), &JobRunner::cancel);
}

Status ConverterApp::saveLanguageSettings() {
    settings_.setLanguage(language_.LanguageCode());
    settings_.setShowDialog(showFixedColumnsNote_);
    return settings_.setAutomaticImports(automaticImports_);
}

} // namespace kolvane::converter
