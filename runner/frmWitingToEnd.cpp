// SPDX-License-Identifier: MIT
#include "runner/frmWitingToEnd.h"

#include "gui/FormLocaliser.h"
#include "ui_frmWitingToEnd.h"

#include <QCloseEvent>
#include <QPixmap>
#include <QStyle>
#include <algorithm>

namespace kolvane::runner {

namespace {
constexpr int kPictures = 9;
constexpr int kFirstPicture = 104;
} // namespace

frmWitingToEnd::frmWitingToEnd(const FormLocaliser& localiser, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmWitingToEnd>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    showPicture(0);
    animation_.setInterval(150);
    connect(&animation_, &QTimer::timeout, this,
            [this] { showPicture((picture_ + 1) % kPictures); });
    connect(ui_->btnOK, &QPushButton::clicked, this, &frmWitingToEnd::done);
    // Escape ends the program as closing the window does.
    connect(this, &QDialog::rejected, this, &frmWitingToEnd::done);
    connect(ui_->btnDetalles, &QPushButton::clicked, this, &frmWitingToEnd::showDetails);
    connect(ui_->btnEndDetalles, &QPushButton::clicked, this, &frmWitingToEnd::hideDetails);
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

void frmWitingToEnd::startAnimation() {
    ui_->Picture2->setVisible(true);
    animation_.start();
}

void frmWitingToEnd::showLineCounter(const QString& prefix, int lineCounter) {
    ui_->Picture2->setVisible(true);
    ui_->Label2->setVisible(true);
    ui_->Label2->setText(prefix + QString::number(lineCounter));
    if (++groupPace_ == 25) {
        groupPace_ = 1;
        showPicture((picture_ + 1) % kPictures);
    }
}

void frmWitingToEnd::showOutcome(bool noErrors, const QString& text, const QString& counts,
                                 const QString& details) {
    animation_.stop();
    ui_->Picture2->setVisible(false);
    ui_->Label2->setVisible(false);
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
    ui_->btnOK->setVisible(true);
    ui_->btnOK->setFocus();
}

void frmWitingToEnd::showDetails() {
    ui_->btnDetalles->setVisible(false);
    ui_->btnEndDetalles->setVisible(true);
    ui_->txtDetalles->setPlainText(details_);
    ui_->txtDetalles->setVisible(true);
    resize(std::max(width(), 640), std::max(height(), 420));
}

void frmWitingToEnd::hideDetails() {
    ui_->btnDetalles->setVisible(true);
    ui_->btnEndDetalles->setVisible(false);
    ui_->txtDetalles->setVisible(false);
    ui_->txtDetalles->setPlainText(details_);
}

void frmWitingToEnd::closeEvent(QCloseEvent* event) {
    event->accept();
    emit done();
}

} // namespace kolvane::runner
