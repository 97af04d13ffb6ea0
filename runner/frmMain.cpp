// SPDX-License-Identifier: MIT
#include "runner/frmMain.h"

#include "gui/FormLocaliser.h"
#include "ui_frmMain.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace kolvane::runner {
namespace {

// The one local file that is dragged, or "".
QString draggedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

frmMain::frmMain(const FormLocaliser& localiser, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::frmMain>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    // Enter or Space starts, without the mouse.
    setFocusProxy(ui_->InitBotton);
    ui_->InitBotton->setFocus();
    connect(ui_->InitBotton, &QPushButton::clicked, this, &frmMain::startRequested);
    setAcceptDrops(true);
}

frmMain::~frmMain() = default;

void frmMain::setStatus(const QString& text) {
    ui_->Label1->setText(text);
}

QString frmMain::status() const {
    return ui_->Label1->text();
}

void frmMain::setStartEnabled(bool enabled) {
    ui_->InitBotton->setEnabled(enabled);
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace kolvane::runner

namespace kolvane::runner {

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (ui_->InitBotton->isEnabled() && !draggedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const QString path = draggedFile(event->mimeData());
    if (!ui_->InitBotton->isEnabled() || path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    emit setupDropped(path);
}

} // namespace kolvane::runner
