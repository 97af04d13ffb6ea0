// SPDX-License-Identifier: MIT
// The choice of the program's language. It only collects the choice: the main
// window tells the user (in the old language) that the program closes, saves
// the settings and ends; the new language is used from the next start.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

namespace kolvane::converter {

struct ConverterContext;

namespace Ui {
class frmLanguage;
}

class frmLanguage final : public QDialog {
    Q_OBJECT
public:
    explicit frmLanguage(ConverterContext& context, QWidget* parent = nullptr);
    ~frmLanguage() override;

    // The code chosen ("DE", "EN", "SP" or "FR"); nothing when the window was
    // cancelled or the current language was chosen again.
    std::optional<std::string> chosenLanguage() const { return chosen_; }

    // OK: the chosen code when it is another language, and the window closes.
    void accept() override;

private:
    ConverterContext& context_;
    std::unique_ptr<Ui::frmLanguage> ui_;
    std::optional<std::string> chosen_;
};

} // namespace kolvane::converter
