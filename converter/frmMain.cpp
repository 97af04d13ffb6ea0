// SPDX-License-Identifier: MIT
#include "converter/frmMain.h"

#include "converter/MainWindowPlacement.h"
#include "converter/WindowArrangement.h"
#include "gui/QtText.h"
#include "toolbar/McToolBar.h"
#include "toolbar/ToolbarIcons.h"
#include "ui_frmMain.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <array>
#include <map>

namespace kolvane::converter {
namespace {

struct StepButton {
    const char* name;    // the dispatcher's name of the step
    const char* caption; // fixed captions: they are not translated
    int toolTip;         // a Spanish string id, translated at start
    const char* icon;
};

constexpr std::array<StepButton, 8> kStepButtons{{
    {"ASCII", "ASCII", 1000 + msg::AsciiFileStep, toolbar::icon::AsciiFile},
    {"Setup", "SETUP", 1000 + msg::SetupStep, toolbar::icon::Setup},
    {"FixedColumns", "FIXED COLUMNS", 1000 + msg::FixedColumnsStep, toolbar::icon::FixedColumns},
    {"Codes&Columns", "CODES", 1000 + msg::CodesColumnsStep, toolbar::icon::Codes},
    {"ADISFILE", "ADIS", 1000 + msg::AdisFileStep, toolbar::icon::AdisFile},
    {"TOHX", "TO HX", 1000 + msg::ImportToHxStep, toolbar::icon::ToHerdSoftware},
    {"BuildAI", "BUILD AUTOMAT.", 1000 + msg::BuildAutomationStep, toolbar::icon::BuildAutomation},
    {"OpenDataExchange", "HXData Exchange ", 1000 + msg::OpenHxDataExchange,
     toolbar::icon::OpenDataExchange},
}};

// What a tool button does; the buttons are found by this, not by their tool tips.
enum ToolAction { CloseProcess, Exit, OpenAscii, OpenDst, Save };

// The step buttons that a step window enables while it is open.
std::vector<int> stepsEnabledBy(int step) {
    switch (step) {
    case step::Ascii:
        return {step::Setup};
    case step::FixedColumns:
        return {step::FixedColumns};
    case step::CodesAndColumns:
        return {step::CodesAndColumns};
    case step::AdisFile:
        return {step::AdisFile, step::ToHerdSoftware, step::BuildAutomaticImport,
                step::OpenDataExchange};
    default:
        return {};
    }
}

constexpr const char* kStepProperty = "step";

} // namespace

frmMain::frmMain(ConverterContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::frmMain>()) {
    ui_->setupUi(this);
    ui_->mdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
    steps_ = new toolbar::McToolBar(this);
    steps_->setObjectName(QStringLiteral("McToolBarProgress"));
    addToolBar(Qt::TopToolBarArea, steps_);
    addToolBarBreak();
    tools_ = new toolbar::McToolBar(this);
    tools_->setObjectName(QStringLiteral("MctbToolbar"));
    addToolBar(Qt::TopToolBarArea, tools_);
    buildStepToolbar();
    connectMenus();
    context_.localiser.localise(*this);
    showToolGroup(ToolGroup::Start);
    markStep(0);
}

frmMain::~frmMain() {
    // The step windows go with the document area, after this window's own
    // parts: they must not tell a window that is half gone.
    for (QMdiSubWindow* frame : ui_->mdiArea->subWindowList()) {
        if (frame->widget() != nullptr) {
            disconnect(frame->widget(), nullptr, this, nullptr);
        }
    }
}

void frmMain::buildStepToolbar() {
    for (const StepButton& button : kStepButtons) {
        const int index =
            steps_->addButton(QString::fromLatin1(button.caption),
                              toolbar::ToolbarIcon(button.icon), QString::number(button.toolTip),
                              QStringLiteral("step%1").arg(steps_->buttonCount() + 1));
        steps_->setButtonEnabled(index, index == step::Ascii);
    }
    connect(steps_, &toolbar::McToolBar::buttonClicked, this, &frmMain::stepButtonClicked);
    connect(tools_, &toolbar::McToolBar::buttonClicked, this, &frmMain::toolButtonClicked);
    connect(ui_->mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        windowActivated(window != nullptr ? window->widget() : nullptr);
    });
}

void frmMain::connectMenus() {
    connect(ui_->mnuFileOpen, &QAction::triggered, this, &frmMain::openAsciiRequested);
    connect(ui_->mnuOpenDST, &QAction::triggered, this, [this] { emit openDstRequested(false); });
    connect(ui_->mnuOpenOldDST, &QAction::triggered, this, [this] { emit openDstRequested(true); });
    connect(ui_->mnuFileSave, &QAction::triggered, this, [this] { emit saveRequested(false); });
    connect(ui_->mnuFileSaveAs, &QAction::triggered, this, [this] { emit saveRequested(true); });
    connect(ui_->mnuFileClose, &QAction::triggered, this, &frmMain::closeProcessRequested);
    connect(ui_->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(ui_->mnuDataSeleccionCodigos, &QAction::triggered, this, &frmMain::setupRequested);
    connect(ui_->RecargarDb, &QAction::triggered, this, &frmMain::codeImportRequested);
    connect(ui_->mnuBorrarDST, &QAction::triggered, this, &frmMain::removeAutomationRequested);
    connect(ui_->mnuLanguage, &QAction::triggered, this, &frmMain::languageRequested);
    connect(ui_->mnuHelpContents, &QAction::triggered, this, &frmMain::helpTopicsRequested);
    connect(ui_->mnuHelpSearchForHelpOn, &QAction::triggered, this, [this] {
        context_.dialogs.message(this,
                                 QStringLiteral("No se puede mostrar el contenido de la Ayuda. No "
                                                "hay Ayuda asociada a este proyecto."),
                                 QMessageBox::Information, QMessageBox::Ok);
    });
    connect(ui_->mnuHelpAbout, &QAction::triggered, this, [this] {
        context_.dialogs.message(
            this, QStringLiteral("Version ") + QCoreApplication::applicationVersion(),
            QMessageBox::Information, QMessageBox::Ok);
    });
    connect(ui_->mnuWindowCascade, &QAction::triggered, ui_->mdiArea, &QMdiArea::cascadeSubWindows);
    connect(ui_->mnuWindowTileHorizontal, &QAction::triggered, this,
            [this] { TileSubWindows(*ui_->mdiArea, Qt::Vertical); });
    connect(ui_->mnuWindowTileVertical, &QAction::triggered, this,
            [this] { TileSubWindows(*ui_->mdiArea, Qt::Horizontal); });
    connect(ui_->mnuWindowArrangeIcons, &QAction::triggered, this,
            [this] { ArrangeMinimised(*ui_->mdiArea); });
}

void frmMain::showToolGroup(ToolGroup group) {
    if (toolActions_.empty()) { // BotonesCierre: the two fixed buttons
        const QString closeTip = FromAnsi(context_.language.LoadText(msg::CloseImportProcess));
        const QString exitTip = FromAnsi(context_.language.LoadText(msg::CloseApplication));
        tools_->addButton(FromAnsi(context_.language.LoadText(msg::MenuClose)),
                          toolbar::ToolbarIcon(toolbar::icon::CloseProcess), closeTip);
        tools_->addButton(FromAnsi(context_.language.LoadText(msg::MenuExit)),
                          toolbar::ToolbarIcon(toolbar::icon::Exit), exitTip);
        toolActions_ = {CloseProcess, Exit};
    }
    tools_->removeButtonsFrom(3); // borraBotones
    toolActions_.resize(2);
    const auto add = [this](int caption, const char* icon, int tip, ToolAction action) {
        tools_->addButton(FromAnsi(context_.language.LoadText(caption)), toolbar::ToolbarIcon(icon),
                          FromAnsi(context_.language.LoadText(tip)));
        toolActions_.push_back(action);
    };
    if (group == ToolGroup::Start) { // BotonesInicio
        add(msg::AsciiFileStep, toolbar::icon::OpenFile, msg::OpenAction, OpenAscii);
        add(msg::DstFileLabel, toolbar::icon::OpenDst, msg::OpenDefinedImport, OpenDst);
    } else if (group == ToolGroup::AdisFile) { // BotonesAdisFile
        add(msg::SaveAction, toolbar::icon::Save, msg::SaveAction, Save);
    }
}

void frmMain::toolButtonClicked(int index) {
    if (index < 1 || index > static_cast<int>(toolActions_.size())) {
        return;
    }
    switch (toolActions_[static_cast<std::size_t>(index) - 1]) {
    case CloseProcess:
        emit closeProcessRequested();
        break;
    case Exit:
        emit exitRequested(true);
        break;
    case OpenAscii:
        emit openAsciiRequested();
        break;
    case OpenDst:
        emit openDstRequested(false);
        break;
    case Save:
        emit saveRequested(false);
        break;
    }
}

void frmMain::stepButtonClicked(int index) {
    if (index >= 1 && index <= static_cast<int>(kStepButtons.size())) {
        Ir_A_Paso(QString::fromLatin1(kStepButtons[static_cast<std::size_t>(index) - 1].name));
    }
}

void frmMain::Ir_A_Paso(const QString& stepName) {
    const auto is = [&](const char* name) { return stepName == QLatin1String(name); };
    if (is("ASCII")) {
        markStep(step::Ascii);
        if (findStepWindow(step::Ascii) != nullptr) {
            bringToFront(step::Ascii);
        } else {
            emit openAsciiRequested();
        }
    } else if (is("Setup")) {
        bringToFront(step::Ascii);
        emit setupRequested();
    } else if (is("FixedColumns")) {
        bringToFront(step::FixedColumns);
    } else if (is("Codes&Columns")) {
        bringToFront(step::CodesAndColumns);
    } else if (is("ADISFILE")) {
        bringToFront(step::AdisFile);
    } else {
        const int action = is("TOHX")               ? step::ToHerdSoftware
                           : is("BuildAI")          ? step::BuildAutomaticImport
                           : is("OpenDataExchange") ? step::OpenDataExchange
                                                    : 0;
        if (action != 0) {
            bringToFront(step::AdisFile);
            markStep(action);
            emit resultActionRequested(action);
            bringToFront(step::AdisFile);
            markStep(step::AdisFile);
        }
    }
}

void frmMain::markStep(int stepNumber) {
    steps_->setMarked(stepNumber);
}

int frmMain::markedStep() const {
    return steps_->marked();
}

bool frmMain::isStepEnabled(int stepNumber) const {
    return steps_->isButtonEnabled(stepNumber);
}

void frmMain::showStepWindow(QWidget& window, int stepNumber) {
    window.setProperty(kStepProperty, stepNumber);
    window.setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* frame = ui_->mdiArea->addSubWindow(&window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    connect(&window, &QObject::destroyed, this,
            [this, stepNumber] { stepWindowClosed(stepNumber); });
    for (const int enabled : stepsEnabledBy(stepNumber)) {
        steps_->setButtonEnabled(enabled, true);
    }
    frame->showMaximized();
    ui_->mdiArea->setActiveSubWindow(frame);
}

void frmMain::stepWindowClosed(int stepNumber) {
    for (const int disabled : stepsEnabledBy(stepNumber)) {
        steps_->setButtonEnabled(disabled, false);
    }
    showToolGroup(ToolGroup::Start);
}

QWidget* frmMain::activeStepWindow() const {
    QMdiSubWindow* frame = ui_->mdiArea->activeSubWindow();
    return frame != nullptr ? frame->widget() : nullptr;
}

QWidget* frmMain::findStepWindow(int stepNumber) const {
    for (QMdiSubWindow* frame : ui_->mdiArea->subWindowList()) {
        if (frame->widget() != nullptr &&
            frame->widget()->property(kStepProperty).toInt() == stepNumber) {
            return frame->widget();
        }
    }
    return nullptr;
}

void frmMain::bringToFront(int stepNumber) {
    for (QMdiSubWindow* frame : ui_->mdiArea->subWindowList()) {
        if (frame->widget() != nullptr &&
            frame->widget()->property(kStepProperty).toInt() == stepNumber) {
            ui_->mdiArea->setActiveSubWindow(frame);
        }
    }
}

void frmMain::windowActivated(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    const int stepNumber = window->property(kStepProperty).toInt();
    markStep(stepNumber);
    showToolGroup(stepNumber == step::AdisFile       ? ToolGroup::AdisFile
                  : stepNumber == step::FixedColumns ? ToolGroup::FixedColumns
                                                     : ToolGroup::Start);
    emit stepWindowActivated(stepNumber);
}

void frmMain::setRecentFiles(const QStringList& paths) {
    for (QAction* old : findChildren<QAction*>(QStringLiteral("mnuRecentFile"))) {
        delete old;
    }
    for (int i = 0; i < paths.size(); ++i) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(paths[i]), this);
        action->setObjectName(QStringLiteral("mnuRecentFile"));
        connect(action, &QAction::triggered, this,
                [this, path = paths[i]] { emit openPathRequested(path); });
        ui_->mnuFile->insertAction(ui_->mnuRecentPlace, action);
    }
}

void frmMain::restorePlacement() {
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        screens << primary->availableGeometry();
    }
    for (QScreen* screen : QGuiApplication::screens()) {
        screens << screen->availableGeometry();
    }
    setGeometry(KeptOnScreens(GeometryFromTwips(context_.settings.mainWindow()), screens));
}

void frmMain::savePlacement() {
    if (!isMinimized()) {
        context_.settings.setMainWindow(TwipsFromGeometry(normalGeometry()));
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        event->acceptProposedAction();
        emit openPathRequested(urls.front().toLocalFile());
    }
}

} // namespace kolvane::converter
