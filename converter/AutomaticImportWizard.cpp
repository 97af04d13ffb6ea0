// SPDX-License-Identifier: MIT
#include "converter/AutomaticImportWizard.h"

#include "converter/ConverterContext.h"
#include "converter/Wizard_1.h"
#include "converter/Wizard_2.h"
#include "converter/Wizard_3.h"
#include "converter/Wizard_4.h"
#include "converter/Wizard_5.h"
#include "engine/Messages.h"
#include "gui/QtText.h"
#include "storage/AutomaticImportRegistration.h"

#include <optional>

namespace kolvane::converter {
namespace {

constexpr int kLastWindow = 5;

QMessageBox::StandardButton tell(ConverterContext& context, QWidget& parent, const QString& text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    return context.dialogs.message(&parent, text, QMessageBox::Information, buttons);
}

QMessageBox::StandardButton tell(ConverterContext& context, QWidget& parent, int message,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    return tell(context, parent, FromAnsi(context.language.LoadText(message)), buttons);
}

// A name typed without an extension gets ".dst"; another extension is refused
// (the automation's name is the file name without its last four characters).
std::optional<std::string> withDstExtension(std::string path) {
    const std::size_t nameStart = path.find_last_of("/\\") + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) {
        return path + ".dst";
    }
    const QString extension = QString::fromStdString(path.substr(dot));
    if (extension.compare(QLatin1String(".dst"), Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return path;
}

// Asks for the setup file's path until the user gives one the wizard can use
// or cancels (told with message 148).
std::optional<AutomationWizard> askForDstPath(ConverterContext& context, QWidget& parent) {
    const Language& language = context.language;
    while (true) {
        const QString chosen = context.dialogs.saveFileName(
            &parent, FromAnsi(language.LoadText(msg::SaveDstFileCaption)),
            FromAnsi(language.LoadText(msg::DstFileFilter)) + QStringLiteral("|*.dst"),
            FromPath(context.session.setup().DstFilePath));
        if (chosen.isEmpty()) {
            tell(context, parent, msg::AutomaticFileNotBuilt);
            return std::nullopt;
        }
        const auto path = withDstExtension(ToPath(chosen));
        if (!path) {
            tell(context, parent, msg::DstExtensionRequired);
            continue;
        }
        const WizardStart start =
            PresetAutomationWizard(*path, context.session.setup(), context.automaticImports);
        for (int blank = 0; blank < start.blanksReplaced; ++blank) {
            tell(context, parent, msg::BlanksReplacedInFileName);
        }
        if (start.alreadyRegistered &&
            tell(context, parent, msg::AutomationAlreadyExists,
                 QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
            continue;
        }
        return start.wizard;
    }
}

WizardWindow::Move showWindow(int number, ConverterContext& context, AutomationWizard& wizard,
                              QWidget& parent) {
    switch (number) {
    case 1:
        return Wizard_1(context, wizard, &parent).run();
    case 2:
        return Wizard_2(context, wizard, &parent).run();
    case 3:
        return Wizard_3(context, wizard, &parent).run();
    case 4:
        return Wizard_4(context, wizard, &parent).run();
    default:
        return Wizard_5(context, wizard, &parent).run();
    }
}

// The fourth window is only for a fixed source file.
int nextWindow(int number, const AutomationWizard& wizard) {
    return number == 3 && !wizard.FixedSourcePath ? 5 : number + 1;
}

int previousWindow(int number, const AutomationWizard& wizard) {
    if (number == 5 && !wizard.FixedSourcePath) {
        return 3;
    }
    return number > 1 ? number - 1 : 1;
}

// True once the last window's Finish was chosen; false when a window was closed.
bool runWizardWindows(ConverterContext& context, AutomationWizard& wizard, QWidget& parent) {
    int number = 1;
    while (true) {
        switch (showWindow(number, context, wizard, parent)) {
        case WizardWindow::Move::Closed:
            return false;
        case WizardWindow::Move::Previous:
            number = previousWindow(number, wizard);
            break;
        case WizardWindow::Move::Next:
            if (number == kLastWindow) {
                return true;
            }
            number = nextWindow(number, wizard);
            break;
        }
    }
}

} // namespace

bool Iniciar_Asistente(ConverterContext& context, QWidget& parent) {
    std::optional<AutomationWizard> wizard = askForDstPath(context, parent);
    if (!wizard || !runWizardWindows(context, *wizard, parent)) {
        return false;
    }
    Status created = Status::Ok();
    const bool applied = context.session.changeSettings([&](ImportSetup& setup) {
        created = Crear_Automatizacion(
            setup, context.language, *wizard, context.automaticImports, context.settings.values(),
            BatchFileTarget{context.programFolder, context.runnerProgram});
    });
    if (!applied) {
        tell(context, parent, msg::AutomaticFileNotBuilt);
        return false;
    }
    if (!created.ok()) {
        tell(context, parent,
             DescribeStatus(created, context.language) + QStringLiteral("\n\n") +
                 FromAnsi(context.language.LoadText(msg::AutomaticFileNotBuilt)));
        return false;
    }
    return true;
}

} // namespace kolvane::converter
