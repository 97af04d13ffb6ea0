// SPDX-License-Identifier: MIT
// The toolbar control of the converter's main window: numbered buttons, their
// enabled and marked state, clicks, tool tips through the form localiser, a
// group rebuilt, the overflow chevron and the icons.
#include "toolbar/McToolBar.h"

#include "tests/gui/converter/ConverterFixture.h"
#include "toolbar/ToolbarIcons.h"

#include <QMainWindow>
#include <QSignalSpy>
#include <QToolButton>

namespace kolvane::converter {
namespace {

using toolbar::McToolBar;
using toolbar::ToolbarIcon;
namespace icon = toolbar::icon;

// The step toolbar as the main window builds it (tool tips as string ids).
void addSteps(McToolBar& bar) {
    const std::pair<const char*, const char*> steps[] = {
        {"ASCII", icon::AsciiFile},
        {"SETUP", icon::Setup},
        {"FIXED COLUMNS", icon::FixedColumns},
        {"CODES", icon::Codes},
        {"ADIS", icon::AdisFile},
        {"TO HX", icon::ToHerdSoftware},
        {"BUILD AUTOMAT.", icon::BuildAutomation},
        {"HXData Exchange ", icon::OpenDataExchange}};
    const int toolTips[] = {1171, 1172, 1173, 1174, 1175, 1176, 1177, 1077};
    for (int step = 1; step <= 8; ++step) {
        const auto& [caption, path] = steps[step - 1];
        bar.addButton(QString::fromLatin1(caption), ToolbarIcon(path),
                      QString::number(toolTips[step - 1]), QStringLiteral("step%1").arg(step));
    }
}

void click(McToolBar& bar, int index) {
    QTest::mouseClick(bar.button(index), Qt::LeftButton);
}

using McToolBar_ = testing::ConverterFixture;

TEST_F(McToolBar_, ButtonsAreNumberedFromOneAndNamed) {
    McToolBar bar;
    bar.setObjectName(QStringLiteral("MctbToolbar"));
    EXPECT_EQ(bar.addButton(QStringLiteral("Close"), ToolbarIcon(icon::CloseProcess),
                            QStringLiteral("1207"), QStringLiteral("toolClose")),
              1);
    bar.addSeparator(); // not counted
    EXPECT_EQ(bar.addButton(QStringLiteral("Exit"), ToolbarIcon(icon::Exit), {}), 2);
    EXPECT_EQ(bar.buttonCount(), 2);
    EXPECT_EQ(bar.findChild<QToolButton*>(QStringLiteral("toolClose")), bar.button(1));
    EXPECT_EQ(bar.findChild<QToolButton*>(QStringLiteral("MctbToolbar2")), bar.button(2));
    EXPECT_EQ(bar.button(2)->text().toStdString(), "Exit");
    EXPECT_EQ(bar.button(0), nullptr);
    EXPECT_EQ(bar.button(3), nullptr);
}

TEST_F(McToolBar_, OneButtonIsMarkedAtATimeAndDisabledOnesStayQuiet) {
    McToolBar bar;
    addSteps(bar);
    bar.show();
    for (int step = 2; step <= 8; ++step) {
        bar.setButtonEnabled(step, false);
    }
    bar.setButtonEnabled(3, true);
    EXPECT_TRUE(bar.isButtonEnabled(1));
    EXPECT_FALSE(bar.isButtonEnabled(2));
    EXPECT_TRUE(bar.isButtonEnabled(3));
    EXPECT_FALSE(bar.isButtonEnabled(9));

    bar.setMarked(3);
    bar.setMarked(1);
    EXPECT_EQ(bar.marked(), 1);
    for (int step = 1; step <= 8; ++step) {
        EXPECT_EQ(bar.button(step)->isChecked(), step == 1) << step;
    }
    bar.setMarked(42);
    EXPECT_EQ(bar.marked(), 0);
    EXPECT_FALSE(bar.button(1)->isChecked());

    QSignalSpy clicked(&bar, &McToolBar::buttonClicked);
    bar.setMarked(1);
    click(bar, 3);
    click(bar, 2); // disabled
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.front().front().toInt(), 3);
    // A click leaves the mark to the owner (the workflow marks the step it shows).
    EXPECT_EQ(bar.marked(), 1);
    EXPECT_FALSE(bar.button(3)->isChecked());
    EXPECT_TRUE(bar.button(1)->isChecked());
}

// The bottom edge of a button shows the end of its gradient: the hover colour
// under the pointer, a warm colour when marked.
TEST_F(McToolBar_, TheMarkedButtonIsWarmAndTheOneUnderThePointerTakesTheHoverColour) {
    McToolBar bar;
    addSteps(bar);
    bar.setHoverColor(QColor(0x40, 0xc0, 0x40));
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    const auto bottomEdge = [&](int index) {
        const QImage image = bar.button(index)->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() - 4);
    };
    QTest::mouseMove(&bar, QPoint(bar.width() - 2, bar.height() - 2));
    const QColor plain = bottomEdge(4);
    bar.setMarked(4);
    const QColor marked = bottomEdge(4);
    EXPECT_NE(marked, plain);
    EXPECT_GT(marked.red(), marked.blue() + 40) << marked.name().toStdString();

    QTest::mouseMove(bar.button(2));
    ASSERT_TRUE(waitFor([&] { return bar.button(2)->underMouse(); }));
    const QColor over = bottomEdge(2);
    const int difference = std::max(
        {std::abs(over.red() - 0x40), std::abs(over.green() - 0xc0), std::abs(over.blue() - 0x40)});
    EXPECT_LE(difference, 8) << over.name().toStdString();
}

TEST_F(McToolBar_, ToolTipsGivenAsStringIdsShowTheLanguagesText) {
    useLanguage("DE");
    McToolBar bar;
    addSteps(bar);
    bar.addButton(QStringLiteral("Plain"), {}, QStringLiteral("a tip of its own"));
    context().localiser.localise(bar);
    EXPECT_EQ(bar.button(1)->toolTip().toStdString(), "ASCII-Datei");
    EXPECT_EQ(bar.buttonAction(1)->toolTip().toStdString(), "ASCII-Datei");
    EXPECT_EQ(bar.button(8)->toolTip().toStdString(), "HXDataExchange öffnen");
    EXPECT_EQ(bar.button(1)->text().toStdString(), "ASCII"); // captions stay
    EXPECT_EQ(bar.button(9)->toolTip().toStdString(), "a tip of its own");
}

TEST_F(McToolBar_, AGroupIsRemovedAndBuiltAgain) {
    McToolBar bar;
    const auto tool = [&](const char* name, const char* path, int toolTip) {
        return bar.addButton(QString::fromLatin1(name), ToolbarIcon(path), QString::number(toolTip),
                             QString::fromLatin1(name));
    };
    tool("toolClose", icon::CloseProcess, 1207);
    tool("toolExit", icon::Exit, 1208);
    bar.addSeparator();
    tool("toolOpen", icon::OpenFile, 1036);
    tool("toolDst", icon::OpenDst, 1242);
    context().localiser.localise(bar);
    bar.setMarked(4);

    bar.removeButtonsFrom(3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(bar.buttonCount(), 2);
    EXPECT_EQ(bar.actions().size(), 2); // the group's separator went with it
    EXPECT_EQ(bar.marked(), 0);
    EXPECT_EQ(bar.findChild<QToolButton*>(QStringLiteral("toolOpen")), nullptr);

    bar.addSeparator();
    EXPECT_EQ(tool("toolSave", icon::Save, 1036), 3);
    context().localiser.localise(bar); // the new button's id; the others keep theirs
    EXPECT_EQ(bar.button(1)->toolTip().toStdString(), "Close the current import process.");
    EXPECT_EQ(bar.button(3)->toolTip().toStdString(), "Open");
    QSignalSpy clicked(&bar, &McToolBar::buttonClicked);
    click(bar, 3);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.front().front().toInt(), 3);

    bar.removeButtonsFrom(1);
    EXPECT_EQ(bar.buttonCount(), 0);
    EXPECT_TRUE(bar.actions().isEmpty());
}

TEST_F(McToolBar_, ButtonsThatDoNotFitGoBehindTheChevron) {
    QMainWindow window;
    auto* bar = new McToolBar;
    addSteps(*bar);
    window.addToolBar(bar);
    window.resize(1200, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* chevron = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(chevron, nullptr);
    EXPECT_FALSE(chevron->isVisible());
    window.resize(260, 300);
    EXPECT_TRUE(waitFor([&] { return chevron->isVisible(); }));
    EXPECT_FALSE(bar->button(8)->isVisible());
}

TEST_F(McToolBar_, EveryIconIsDrawnAt24Pixels) {
    const QStringList paths = toolbar::ToolbarIconPaths();
    EXPECT_EQ(paths.size(), 13);
    for (const QString& path : paths) {
        const QImage image =
            ToolbarIcon(path.toLatin1().constData()).pixmap(QSize(24, 24)).toImage();
        ASSERT_FALSE(image.isNull()) << path.toStdString() << ": no SVG icon engine?";
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                opaque += image.pixelColor(x, y).alpha() > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 60) << path.toStdString();
    }
}

} // namespace
} // namespace kolvane::converter
