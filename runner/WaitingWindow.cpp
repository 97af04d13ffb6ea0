// SPDX-License-Identifier: MIT
#include "runner/WaitingWindow.h"

#include <QCloseEvent>
#include <QPixmap>
#include <algorithm>

namespace kolvane {

namespace {
constexpr int kPictures = 9;
constexpr int kFirstPicture = 104;
} // namespace

WaitingWindow::WaitingWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    showPicture(0);
    animation_.setInterval(150);
    connect(&animation_, &QTimer::timeout, this,
            [this] { showPicture((picture_ + 1) % kPictures); });
    connect(ui.btnOK, &QPushButton::clicked, this, &WaitingWindow::done);
    connect(ui.btnDetalles, &QPushButton::clicked, this, &WaitingWindow::showDetails);
    connect(ui.btnEndDetalles, &QPushButton::clicked, this, &WaitingWindow::hideDetails);
}

void WaitingWindow::showPicture(int index) {
    picture_ = index;
    ui.Picture2->setPixmap(
        QPixmap(QStringLiteral(":/runner/waiting%1.png").arg(kFirstPicture + index)));
}

void WaitingWindow::startAnimation() {
    ui.Picture2->setVisible(true);
    animation_.start();
}

void WaitingWindow::stopAnimation() {
    animation_.stop();
}

void WaitingWindow::showLineCounter(const QString& prefix, int lineCounter) {
    ui.Picture2->setVisible(true);
    ui.Label2->setVisible(true);
    ui.Label2->setText(prefix + QString::number(lineCounter));
    if (++groupPace_ == 25) {
        groupPace_ = 1;
        showPicture((picture_ + 1) % kPictures);
    }
}

void WaitingWindow::showOutcome(bool noErrors, const QString& text, const QString& details) {
    stopAnimation();
    ui.Picture2->setVisible(false);
    ui.Label2->setVisible(false);
    QFont large = ui.Label1->font();
    large.setPointSize(14);
    ui.Label1->setFont(large);
    ui.Label1->setText(text);
    details_ = details;
    ui.btnDetalles->setVisible(!noErrors);
    ui.btnOK->setVisible(true);
    ui.btnOK->setFocus();
}

void WaitingWindow::showDetails() {
    ui.btnDetalles->setVisible(false);
    ui.btnEndDetalles->setVisible(true);
    ui.txtDetalles->setPlainText(details_);
    ui.txtDetalles->setVisible(true);
    resize(std::max(width(), 640), std::max(height(), 420));
}

void WaitingWindow::hideDetails() {
    ui.btnDetalles->setVisible(true);
    ui.btnEndDetalles->setVisible(false);
    ui.txtDetalles->setVisible(false);
    ui.txtDetalles->setPlainText(details_);
}

void WaitingWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit done();
}

} // namespace kolvane
