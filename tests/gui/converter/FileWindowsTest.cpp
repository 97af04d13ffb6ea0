// SPDX-License-Identifier: MIT
// The ASCII file window and the result window: what they show, the session
// changes they follow, their menus, and saving the ADIS file (overwriting,
// cancelled, and to a folder where no file can be written).
#include "converter/Resultado.h"
#include "converter/frmFicheros.h"
#include "gui/LargeTextView.h"
#include "gui/QtText.h"
#include "tests/gui/converter/ConverterFixture.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>

namespace kolvane::converter {
namespace {

using testing::in;

class FileWindows : public testing::ConverterFixture {
protected:
    // The ADIS text as a job of the session leaves it, with its signal.
    void setAdisText(const std::string& text) {
        ImportSession& session = app().session();
        ASSERT_TRUE(session.runJob(
            {.adisText = true},
            [text](ImportSetup& setup, const EngineContext&) {
                setup.AdisText = text;
                return true;
            },
            [](bool built) { return built; }, [](std::optional<bool>) {}));
        ASSERT_TRUE(waitFor([&] { return !session.busy(); }));
    }
    std::vector<std::string> linesOf(QWidget& window, const char* view) {
        std::vector<std::string> lines;
        auto* text = in<LargeTextView>(window, view);
        for (qsizetype line = 0; line < text->lineCount(); ++line) {
            lines.push_back(text->lineText(line).toStdString());
        }
        return lines;
    }
};

using Lines = std::vector<std::string>;

TEST_F(FileWindows, TheAsciiFileWindowShowsTheSourceFileUnderItsPath) {
    const std::string source = folder.write("Milch März.txt", "Kuh;Datum\r\n276001;08-12-26\r\n");
    app().session().setSourceFile(source);
    frmFicheros window(context());
    window.show();
    EXPECT_EQ(window.windowTitle(), FromPath(source));
    EXPECT_EQ(linesOf(window, "rtfText"), (Lines{"Kuh;Datum", "276001;08-12-26"}));
    EXPECT_EQ(window.problem(), QString());
    EXPECT_TRUE(QFontInfo(in<LargeTextView>(window, "rtfText")->font()).fixedPitch());

    auto* convert = in<QAction>(window, "Convertir");
    EXPECT_EQ(convert->text(), QStringLiteral("Convert to ADIS"));
    QSignalSpy converting(&window, &frmFicheros::convertRequested);
    convert->trigger();
    EXPECT_EQ(converting.count(), 1);

    // Another source file replaces the one shown.
    const std::string other = folder.write("other.txt", "only line");
    app().session().setSourceFile(other);
    EXPECT_EQ(window.windowTitle(), FromPath(other));
    EXPECT_EQ(linesOf(window, "rtfText"), (Lines{"only line"}));

    in<QAction>(window, "Cerrar")->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(FileWindows, CloseInTheDocumentAreaClosesTheWindowsFrame) {
    app().session().setSourceFile(folder.write("source.txt", "a;b\r\n"));
    setAdisText("ZN");
    QMdiArea area;
    QMdiSubWindow* ascii = area.addSubWindow(new frmFicheros(context()));
    QMdiSubWindow* result = area.addSubWindow(new Resultado(context()));
    area.show();
    ascii->show();
    result->show();
    in<QAction>(ascii, "Cerrar")->trigger();
    in<QAction>(result, "Cerrar")->trigger();
    EXPECT_FALSE(ascii->isVisible());
    EXPECT_FALSE(result->isVisible());
}

TEST_F(FileWindows, AnAsciiFileThatCannotBeReadIsNamedWithTheReason) {
    useLanguage("DE");
    const std::string missing = folder.path("verschwunden.txt");
    app().session().setSourceFile(missing);
    frmFicheros window(context());
    window.show();
    EXPECT_EQ(window.windowTitle(), FromPath(missing));
    EXPECT_EQ(in<LargeTextView>(window, "rtfText")->lineCount(), 0);
    EXPECT_EQ(window.problem(),
              FromPath(missing) + QStringLiteral(": Die Datei wurde im System nicht gefunden."));
    EXPECT_FALSE(in<QAction>(window, "Convertir")->isEnabled());
    EXPECT_EQ(in<QAction>(window, "Cerrar")->text(), QStringLiteral("Schließen"));
}

TEST_F(FileWindows, TheResultWindowShowsTheAdisTextAndFollowsIt) {
    setAdisText("DH000000000\r\nVN000000276001\r\nZN");
    Resultado window(context());
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Result"));
    EXPECT_EQ(linesOf(window, "Text1"), (Lines{"DH000000000", "VN000000276001", "ZN"}));
    setAdisText("DH000000000\r\nZN");
    EXPECT_EQ(linesOf(window, "Text1"), (Lines{"DH000000000", "ZN"}));
    EXPECT_EQ(window.minimumSize(), QSize(223, 236));

    QSignalSpy automating(&window, &Resultado::automaticImportRequested);
    QSignalSpy importing(&window, &Resultado::importRequested);
    in<QAction>(window, "Automatizar")->trigger();
    in<QAction>(window, "Introducirdata_MN")->trigger();
    EXPECT_EQ(automating.count(), 1);
    EXPECT_EQ(importing.count(), 1);
    EXPECT_EQ(in<QAction>(window, "Introducirdata_MN")->text(),
              QStringLiteral("Import in Herdora"));
}

TEST_F(FileWindows, SavingWritesTheTextAndOneLineEndAndOverwrites) {
    setAdisText("DH000000000\r\nZN");
    Resultado window(context());
    const std::string target = folder.path("milk.ads");
    dialogs().setNextFileName(FromPath(target));
    in<QAction>(window, "Guardar")->trigger();
    EXPECT_EQ(folder.read("milk.ads"), "DH000000000\r\nZN\r\n");
    ASSERT_EQ(dialogs().fileRequests().size(), 1);
    EXPECT_EQ(dialogs().fileRequests()[0].title, QStringLiteral("Save the ADIS file"));
    EXPECT_EQ(dialogs().fileRequests()[0].filter, QStringLiteral("ADIS file (*.ads)"));

    setAdisText("ZN");
    dialogs().setNextFileName(FromPath(target));
    EXPECT_TRUE(window.Guardar_ADIS());
    EXPECT_EQ(folder.read("milk.ads"), "ZN\r\n");
    EXPECT_EQ(dialogs().shownMessages(), QStringList());
}

TEST_F(FileWindows, ACancelledSaveWritesNothing) {
    setAdisText("ZN");
    Resultado window(context());
    const auto before = folder.entries();
    EXPECT_FALSE(window.Guardar_ADIS()); // nothing queued: the dialog is cancelled
    EXPECT_EQ(folder.entries(), before);
    EXPECT_EQ(dialogs().shownMessages(), QStringList());
}

TEST_F(FileWindows, ASaveThatCannotBeWrittenSaysSoAndLeavesNoFile) {
    setAdisText("ZN");
    Resultado window(context());
    folder.write("plain.txt", "a file, not a folder");
    const auto before = folder.entries();
    const std::string target = folder.path("plain.txt") + "/milk.ads";
    dialogs().setNextFileName(FromPath(target));
    EXPECT_TRUE(window.Guardar_ADIS()); // not cancelled
    ASSERT_EQ(dialogs().shownMessages().size(), 1);
    const QString message = dialogs().shownMessages()[0];
    EXPECT_TRUE(message.startsWith(FromPath(target) + QStringLiteral(": cannot be written: ")))
        << message.toStdString();
    EXPECT_EQ(folder.entries(), before);
}

} // namespace
} // namespace kolvane::converter
