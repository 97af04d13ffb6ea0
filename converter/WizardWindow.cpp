// SPDX-License-Identifier: MIT
#include "converter/WizardWindow.h"

#include "converter/ConverterContext.h"
#include "gui/QtText.h"

#include <QLineEdit>

namespace kolvane::converter {
namespace {

// QDialog's own codes are Rejected (0) and Accepted (1).
constexpr int kPrevious = 2;

} // namespace

WizardWindow::WizardWindow(ConverterContext& context, AutomationWizard& wizard, QWidget* parent)
    : QDialog(parent), context_(context), wizard_(wizard) {}

WizardWindow::Move WizardWindow::run() {
    switch (exec()) {
    case QDialog::Accepted:
        return Move::Next;
    case kPrevious:
        return Move::Previous;
    default:
        return Move::Closed;
    }
}

void WizardWindow::localise() {
    context_.localiser.localise(*this);
}

void WizardWindow::goNext() {
    done(QDialog::Accepted);
}

void WizardWindow::goBack() {
    done(kPrevious);
}

void WizardWindow::nextWithText(QLineEdit& box, std::string& field, int message) {
    if (box.text().isEmpty()) {
        context_.dialogs.message(this, FromAnsi(context_.language.LoadText(message)),
                                 QMessageBox::Information, QMessageBox::Ok);
        box.setFocus();
        return;
    }
    field = ToPath(box.text());
    goNext();
}

void WizardWindow::backWithText(const QLineEdit& box, std::string& field) {
    if (!box.text().isEmpty()) {
        field = ToPath(box.text());
    }
    goBack();
}

} // namespace kolvane::converter
