// SPDX-License-Identifier: MIT
#include "runner/frmWitingToEnd.h"

#include "gui/FormLocaliser.h"
#include "ui_frmWitingToEnd.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPixmap>
#include <QStyle>
#include <algorithm>

// The pictures live in a static library: its resources are registered by hand.
static void registerRunnerResources() {
    Q_INIT_RESOURCE(runner);
}

namespace kolvane::runner {

namespace {
constexpr int kPictures = 9;
constexpr int kFirstPicture = 104;
} // namespace

frmWitingToEnd::frmWitingToEnd(const FormLocaliser& localiser, QWidget* parent)
    : ProgressWindow(parent), ui_(std::make_unique<Ui::frmWitingToEnd>()) {
    registerRunnerResources();
    ui_->setupUi(this);
    localiser.localise(*this);
    attach(*ui_->Label1, *ui_->prgConversion);
    showPicture(0);
    animation_.setInterval(150);
    connect(&animation_, &QTimer::timeout, this, &frmWitingToEnd::tick);
    connect(ui_->btnOK, &QPushButton::clicked, this, &frmWitingToEnd::done);
    connect(ui_->btnCancel, &QPushButton::clicked, this, &frmWitingToEnd::cancelRequested);
    connect(ui_->btnDetalles, &QPushButton::clicked, this, &frmWitingToEnd::showDetails);
    connect(ui_->btnEndDetalles, &QPushButton::clicked, this, &frmWitingToEnd::hideDetails);
    connect(ui_->btnSaveDetails, &QPushButton::clicked, this,
            &frmWitingToEnd::saveDetailsRequested);
    connect(ui_->btnOpenReport, &QPushButton::clicked, this, &frmWitingToEnd::openReportRequested);
    connect(ui_->btnCopyDetails, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(details_); });
}

frmWitingToEnd::~frmWitingToEnd() = default;

void frmWitingToEnd::setStatus(const QString& text) {
    ui_->Label1->setText(text);
}

QString frmWitingToEnd::status() const {
    return ui_->Label1->text();
}

void frmWitingToEnd::showPicture(int index) {
    picture_ = index;
    ui_->Picture2->setPixmap(
        QPixmap(QStringLiteral(":/runner/waiting%1.png").arg(kFirstPicture + index)));
}

void frmWitingToEnd::startConversion() {
    converting_ = true;
    setPermille(0);
    ui_->prgConversion->setVisible(true);
    ui_->btnCancel->setVisible(true);
    ui_->btnCancel->setEnabled(true);
}

void frmWitingToEnd::endConversion() {
    converting_ = false;
    ui_->prgConversion->setVisible(false);
    ui_->btnCancel->setVisible(false);
}

void frmWitingToEnd::reject() {
    // Escape: Cancel while converting; once the outcome is shown it ends the
    // program as closing the window does. The importer is never stopped.
    if (converting_) {
        emit cancelRequested();
    } else if (ui_->btnOK->isVisible()) {
        emit done();
    }
}

void frmWitingToEnd::startImporterWait(ElapsedText elapsedText) {
    endConversion();
    elapsedText_ = std::move(elapsedText);
    importerClock_.start();
    shownSeconds_ = -1;
    ui_->Picture2->setVisible(true);
    ui_->lblElapsed->setVisible(true);
    tick();
    animation_.start();
}

void frmWitingToEnd::tick() {
    showPicture((picture_ + 1) % kPictures);
    if (!importerClock_.isValid() || !elapsedText_) {
        return;
    }
    const int seconds = static_cast<int>(importerClock_.elapsed() / 1000);
    if (seconds != shownSeconds_) {
        shownSeconds_ = seconds;
        ui_->lblElapsed->setText(elapsedText_(seconds));
    }
}

void frmWitingToEnd::showLineCounter(const QString& prefix, int lineCounter) {
    animation_.stop(); // the importer has ended: the report's pace moves the picture now
    ui_->lblElapsed->setVisible(false);
    ui_->Picture2->setVisible(true);
    ui_->Label2->setVisible(true);
    ui_->Label2->setText(prefix + QString::number(lineCounter));
    if (++groupPace_ == 25) {
        groupPace_ = 1;
        showPicture((picture_ + 1) % kPictures);
    }
}

void frmWitingToEnd::showOutcome(bool noErrors, const QString& text, const QString& counts,
                                 const QString& details, bool reportAvailable) {
    animation_.stop();
    endConversion();
    ui_->Picture2->setVisible(false);
    ui_->Label2->setVisible(false);
    ui_->lblElapsed->setVisible(false);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    ui_->lblOutcomeIcon->setPixmap(style()
                                       ->standardIcon(noErrors ? QStyle::SP_MessageBoxInformation
                                                               : QStyle::SP_MessageBoxWarning,
                                                      nullptr, this)
                                       .pixmap(iconSize, iconSize));
    ui_->lblOutcomeIcon->setVisible(true);
    ui_->lblCounts->setText(counts);
    ui_->lblCounts->setVisible(!counts.isEmpty());
    QFont large = ui_->Label1->font();
    large.setPointSize(14);
    ui_->Label1->setFont(large);
    ui_->Label1->setText(text);
    details_ = details;
    ui_->btnDetalles->setVisible(!noErrors);
    ui_->btnOpenReport->setVisible(reportAvailable);
    ui_->btnOK->setVisible(true);
    ui_->btnOK->setFocus();
}

void frmWitingToEnd::setDetailButtonsVisible(bool visible) {
    ui_->btnSaveDetails->setVisible(visible);
    ui_->btnCopyDetails->setVisible(visible);
}

void frmWitingToEnd::showDetails() {
    ui_->btnDetalles->setVisible(false);
    ui_->btnEndDetalles->setVisible(true);
    ui_->txtDetalles->setPlainText(details_);
    ui_->txtDetalles->setVisible(true);
    setDetailButtonsVisible(true);
    resize(std::max(width(), 720), std::max(height(), 440));
}

void frmWitingToEnd::hideDetails() {
    ui_->btnDetalles->setVisible(true);
    ui_->btnEndDetalles->setVisible(false);
    ui_->txtDetalles->setVisible(false);
    ui_->txtDetalles->setPlainText(details_);
    setDetailButtonsVisible(false);
}

void frmWitingToEnd::closeEvent(QCloseEvent* event) {
    // Closing ends the program at any time (the importer, when it runs, is
    // left to finish); the conversion's file is never completed then.
    event->accept();
    emit done();
}

} // namespace kolvane::runner
