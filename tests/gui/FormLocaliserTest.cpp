// SPDX-License-Identifier: MIT
// The form localiser: design numbers become texts of the text source in every
// kind of control; the numbers stay with the controls, so a second walk (after
// a language change) shows the new language; other values stay as designed.
#include "gui/FormLocaliser.h"

#include "gui/Dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

// A form as the designer leaves it: numbers where the texts go.
struct DesignedForm {
    DesignedForm() {
        form.setWindowTitle(QStringLiteral("1043"));
        auto* layout = new QVBoxLayout(&form);
        label = new QLabel(QStringLiteral("1065"));
        plain = new QLabel(QStringLiteral("Animal"));
        button = new QPushButton(QStringLiteral("1043"));
        button->setToolTip(QStringLiteral("a plain tip"));
        check = new QCheckBox(QStringLiteral("1065"));
        check->setToolTip(QStringLiteral("1043"));
        group = new QGroupBox(QStringLiteral("1065"));
        tabs = new QTabWidget;
        tabs->addTab(new QWidget, QStringLiteral("1043"));
        tabs->addTab(new QWidget, QStringLiteral("Codes"));
        tabs->setTabToolTip(0, QStringLiteral("1065"));
        tree = new QTreeWidget;
        tree->setHeaderLabels({QStringLiteral("1043"), QStringLiteral("1065")});
        table = new QTableWidget(0, 2);
        table->setHorizontalHeaderLabels({QStringLiteral("1065"), QStringLiteral("x")});
        menu = new QMenu(QStringLiteral("1065"), &form);
        action = menu->addAction(QStringLiteral("1043"));
        action->setToolTip(QStringLiteral("1065"));
        for (QWidget* control : std::initializer_list<QWidget*>{label, plain, button, check, group,
                                                                tabs, tree, table}) {
            layout->addWidget(control);
        }
    }
    QWidget form;
    QLabel* label;
    QLabel* plain;
    QPushButton* button;
    QCheckBox* check;
    QGroupBox* group;
    QTabWidget* tabs;
    QTreeWidget* tree;
    QTableWidget* table;
    QMenu* menu;
    QAction* action;
};

FormLocaliser::TextSource source(const char* ok, const char* noImport) {
    return [=](int number) -> std::optional<QString> {
        if (number == 1043) {
            return QString::fromUtf8(ok);
        }
        if (number == 1065) {
            return QString::fromUtf8(noImport);
        }
        return std::nullopt;
    };
}

TEST(FormLocaliser, EveryKindOfControlShowsItsText) {
    DesignedForm designed;
    FormLocaliser(source("OK", "No Import")).localise(designed.form);
    EXPECT_EQ(designed.form.windowTitle(), QStringLiteral("OK"));
    EXPECT_EQ(designed.label->text(), QStringLiteral("No Import"));
    EXPECT_EQ(designed.plain->text(), QStringLiteral("Animal"));
    EXPECT_EQ(designed.button->text(), QStringLiteral("OK"));
    EXPECT_EQ(designed.button->toolTip(), QStringLiteral("a plain tip"));
    EXPECT_EQ(designed.check->text(), QStringLiteral("No Import"));
    EXPECT_EQ(designed.check->toolTip(), QStringLiteral("OK"));
    EXPECT_EQ(designed.group->title(), QStringLiteral("No Import"));
    EXPECT_EQ(designed.tabs->tabText(0), QStringLiteral("OK"));
    EXPECT_EQ(designed.tabs->tabText(1), QStringLiteral("Codes"));
    EXPECT_EQ(designed.tabs->tabToolTip(0), QStringLiteral("No Import"));
    EXPECT_EQ(designed.tree->headerItem()->text(0), QStringLiteral("OK"));
    EXPECT_EQ(designed.tree->headerItem()->text(1), QStringLiteral("No Import"));
    EXPECT_EQ(designed.table->horizontalHeaderItem(0)->text(), QStringLiteral("No Import"));
    EXPECT_EQ(designed.table->horizontalHeaderItem(1)->text(), QStringLiteral("x"));
    EXPECT_EQ(designed.menu->title(), QStringLiteral("No Import"));
    EXPECT_EQ(designed.action->text(), QStringLiteral("OK"));
    EXPECT_EQ(designed.action->toolTip(), QStringLiteral("No Import"));
}

TEST(FormLocaliser, ASecondWalkShowsTheNewLanguageFromTheKeptNumbers) {
    DesignedForm designed;
    FormLocaliser(source("OK", "No Import")).localise(designed.form);
    FormLocaliser(source("Aceptar", "No Importar")).localise(designed.form);
    EXPECT_EQ(designed.form.windowTitle(), QStringLiteral("Aceptar"));
    EXPECT_EQ(designed.label->text(), QStringLiteral("No Importar"));
    EXPECT_EQ(designed.check->toolTip(), QStringLiteral("Aceptar"));
    EXPECT_EQ(designed.tabs->tabText(0), QStringLiteral("Aceptar"));
    EXPECT_EQ(designed.tree->headerItem()->text(1), QStringLiteral("No Importar"));
    EXPECT_EQ(designed.action->text(), QStringLiteral("Aceptar"));
    EXPECT_EQ(designed.label->property("textId").toInt(), 1065);
}

TEST(FormLocaliser, ANumberWithoutTextKeepsItsValueAndTheFontGoesEverywhere) {
    DesignedForm designed;
    designed.label->setText(QStringLiteral("1999"));
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSize(11);
    FormLocaliser(source("OK", "No Import"), font).localise(designed.form);
    EXPECT_EQ(designed.label->text(), QStringLiteral("1999"));
    EXPECT_EQ(designed.button->font().pointSize(), 11);
    EXPECT_EQ(designed.form.font().family(), QStringLiteral("DejaVu Sans Mono"));
}

TEST(Dialogs, AnswersGivenInAdvanceAreTakenInOrderAndRecorded) {
    Dialogs dialogs(QStringLiteral("Kolvane"));
    dialogs.setNextFileName(QStringLiteral("/x/milk.txt"));
    dialogs.setNextAnswer(QMessageBox::No);
    EXPECT_EQ(dialogs.openFileName(nullptr, QStringLiteral("Open"),
                                   QStringLiteral("All files (*.*)|*.*| Text File (*.txt)|*.txt")),
              QStringLiteral("/x/milk.txt"));
    EXPECT_EQ(dialogs.message(nullptr, QStringLiteral("Close?"), QMessageBox::Question,
                              QMessageBox::Yes | QMessageBox::No),
              QMessageBox::No);
    dialogs.setUnattended(true);
    EXPECT_EQ(dialogs.saveFileName(nullptr, QStringLiteral("Save"), QStringLiteral("ADIS|*.ads")),
              QString());
    EXPECT_EQ(dialogs.message(nullptr, QStringLiteral("Sure?"), QMessageBox::Question,
                              QMessageBox::Yes | QMessageBox::No),
              QMessageBox::Yes);
    ASSERT_EQ(dialogs.fileRequests().size(), 2);
    EXPECT_EQ(dialogs.fileRequests()[0].filter,
              QStringLiteral("All files (*.*);;Text File (*.txt)"));
    EXPECT_EQ(dialogs.fileRequests()[1].kind, Dialogs::FileDialogKind::Save);
    EXPECT_EQ(dialogs.fileRequests()[1].filter, QStringLiteral("ADIS (*.ads)"));
    EXPECT_EQ(dialogs.shownMessages(),
              (QStringList{QStringLiteral("Close?"), QStringLiteral("Sure?")}));
}

} // namespace
} // namespace kolvane
