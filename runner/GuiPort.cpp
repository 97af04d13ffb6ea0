// SPDX-License-Identifier: MIT
#include "runner/GuiPort.h"

#include "herdlink/QtText.h"

#include <QThread>

namespace kolvane {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

MessageAnswer answerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
    case QMessageBox::NoButton:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace

GuiPort::GuiPort(const Language& language, Dialogs& dialogs, WorkingWindow& working,
                 std::function<QString(int)> caption)
    : language_(language), dialogs_(dialogs), working_(working), caption_(std::move(caption)) {}

void GuiPort::onWindowThread(const std::function<void()>& work, bool wait) {
    if (QThread::currentThread() == thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(this, work,
                              wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
}

MessageAnswer GuiPort::ask(const QString& text, MessageIcon icon, MessageButtons buttons) {
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    onWindowThread(
        [&] { answer = dialogs_.message(nullptr, text, boxIcon(icon), boxButtons(buttons)); },
        true);
    return answerOf(answer);
}

MessageAnswer GuiPort::showMessage(int number, MessageIcon icon, MessageButtons buttons) {
    return ask(FromAnsi(language_.LoadText(number)), icon, buttons);
}

MessageAnswer GuiPort::showText(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    return ask(FromAnsi(text), icon, buttons);
}

void GuiPort::startProgress(int captionNumber, std::int64_t maximum) {
    const QString caption = caption_(captionNumber);
    onWindowThread(
        [this, caption, maximum] {
            maximum_ = std::max<std::int64_t>(maximum, 1);
            working_.ui.BarraExplicacion->setText(caption);
            working_.ui.ProgressBar1->setRange(0, 1000);
            working_.ui.ProgressBar1->setValue(0);
            working_.show();
        },
        false);
}

void GuiPort::setProgress(std::int64_t value) {
    onWindowThread(
        [this, value] {
            working_.ui.ProgressBar1->setValue(static_cast<int>(value * 1000 / maximum_));
        },
        false);
}

void GuiPort::endProgress() {
    onWindowThread([this] { working_.hide(); }, false);
}

} // namespace kolvane
