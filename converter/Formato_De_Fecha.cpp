// SPDX-License-Identifier: MIT
#include "converter/Formato_De_Fecha.h"

#include "converter/ConverterContext.h"
#include "converter/DatePatternCheck.h"
#include "gui/QtText.h"
#include "ui_Formato_De_Fecha.h"

#include <QToolButton>

namespace kolvane::converter {
namespace {

// The tool bar's buttons are told apart by their key, as the form names them.
constexpr const char* kKey = "key";

char firstLetter(const Language& language, int number) {
    const std::string letter = language.LoadText(number);
    return letter.empty() ? '\0' : letter.front();
}

} // namespace

Formato_De_Fecha::Formato_De_Fecha(ConverterContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::Formato_De_Fecha>()) {
    ui_->setupUi(this);
    context_.localiser.localise(*this);
    showLetters();
    ui_->Date_Format->setText(FromAnsi(context_.session.setup().DatePattern));
    for (QToolButton* button : ui_->TblBotones->findChildren<QToolButton*>()) {
        connect(button, &QToolButton::clicked, this, [this, button] { press(*button); });
    }
    connect(ui_->btnOK, &QPushButton::clicked, this, &Formato_De_Fecha::finish);
    connect(ui_->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    ui_->Date_Format->setFocus();
}

Formato_De_Fecha::~Formato_De_Fecha() = default;

QString Formato_De_Fecha::pattern() const {
    return ui_->Date_Format->text();
}

void Formato_De_Fecha::showLetters() {
    const Language& language = context_.language;
    ui_->btnAno->setText(FromAnsi(language.LoadText(msg::YearLetter)));
    ui_->btnMes->setText(FromAnsi(language.LoadText(msg::MonthLetter)));
    ui_->btnDia->setText(FromAnsi(language.LoadText(msg::DayLetter)));
}

void Formato_De_Fecha::press(const QToolButton& button) {
    const QString key = button.property(kKey).toString();
    if (key == QStringLiteral("Acabar")) {
        finish();
        return;
    }
    QString text = ui_->Date_Format->text();
    if (key == QStringLiteral("Borrar")) {
        text.chop(1);
    } else {
        text += button.text(); // a letter or a separator
    }
    ui_->Date_Format->setText(text);
    ui_->Date_Format->setFocus();
}

// "Finish" and OK alike: a valid pattern is stored and closes the window; a
// wrong one is cleared and its message shown once.
void Formato_De_Fecha::finish() {
    const Language& language = context_.language;
    const std::string pattern = ToAnsi(ui_->Date_Format->text());
    const DatePatternCheck check = CheckDatePattern(pattern, firstLetter(language, msg::YearLetter),
                                                    firstLetter(language, msg::MonthLetter),
                                                    firstLetter(language, msg::DayLetter));
    if (check.valid) {
        if (context_.session.changeSettings(
                [&pattern](ImportSetup& setup) { setup.DatePattern = pattern; })) {
            accept();
        }
        return;
    }
    ui_->Date_Format->clear();
    ui_->Date_Format->setFocus();
    context_.dialogs.message(this, FromAnsi(language.LoadText(check.message)), QMessageBox::Warning,
                             QMessageBox::Ok);
}

} // namespace kolvane::converter
