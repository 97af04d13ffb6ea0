// SPDX-License-Identifier: MIT
// The setup window: how the source file is split (separator or fixed columns),
// the lines skipped at the top and at the end, the "Line starts with" filter,
// the date format, the send date and the importer options. It shows the
// session's setup; OK stores all of it in one change and accepts the dialog
// (the workflow then splits the source or opens the fixed columns window);
// Cancel stores nothing. Its two small windows, the date format window and
// the special options window, store their values when they close with OK;
// cancelling this window takes those back too.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWindow>
#include <memory>
#include <string>

namespace kolvane::converter {

struct ConverterContext;
struct SetupChoices;

namespace Ui {
class frmOptions;
}

class frmOptions final : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(ConverterContext& context, QWidget* parent = nullptr);
    ~frmOptions() override;

    // Shows the session's setup again (for a window that was kept hidden).
    void showSetup();

    // What OK does, for a setup that was just loaded from a DST file and is
    // confirmed without showing the window: the loaded values confirmed as
    // they are, and a send date that is asked for but missing settled with
    // the user (today's date, or no confirmation). False when the setup was
    // not confirmed: no send date, a user-defined format without a pattern,
    // or a job holding the setup.
    static bool confirmLoadedSetup(ConverterContext& context, QWidget* parent = nullptr);

public slots:
    void reject() override;

private:
    void fillLists();
    void showDateFormat(const std::string& formatName);
    void showPatternControls(bool visible);
    void chooseDateFormat(int index);
    void openDateFormatWindow();
    void openSpecialOptions();
    void showSendDateControls();
    void showLineFilterControls();
    void confirm();
    void showEncoding(const std::string& sourcePath);
    bool separatorCanBeStored(const SetupChoices& choices);
    bool readSkipCounts(SetupChoices& choices);
    bool settleSendDate(std::size_t dateFormat);
    SetupChoices collectChoices() const;
    void followFocus(QWindow* focused);

    struct KeptForCancel {
        std::string datePattern;
        bool optionErrOK = false;
        bool optionErrExit = false;
    };

    ConverterContext& context_;
    std::unique_ptr<Ui::frmOptions> ui_;
    KeptForCancel kept_;
    // The window that had the focus before, to tell where an activation comes from.
    QPointer<QWindow> previousFocus_;
};

} // namespace kolvane::converter
