// SPDX-License-Identifier: MIT
#include "gui/GuiPort.h"

#include "gui/QtText.h"

#include <QThread>
#include <algorithm>

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

struct GuiPort::Question {
    bool settled = false;
    MessageAnswer answer = MessageAnswer::Cancel;
};

GuiPort::GuiPort(const Language& language, Dialogs& dialogs, ProgressWindow& progress,
                 CaptionText caption)
    : language_(language), dialogs_(dialogs), progress_(progress), caption_(std::move(caption)) {
    if (!caption_) {
        caption_ = [this](int number) { return FromAnsi(language_.LoadText(number)); };
    }
}

GuiPort::~GuiPort() {
    releaseQuestions();
}

void GuiPort::onWindowThread(std::function<void()> work) {
    if (QThread::currentThread() == thread()) {
        work();
    } else {
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    }
}

MessageAnswer GuiPort::showOnWindowThread(const QString& text, MessageIcon icon,
                                          MessageButtons buttons) {
    return answerOf(dialogs_.message(nullptr, text, boxIcon(icon), boxButtons(buttons)));
}

MessageAnswer GuiPort::ask(const QString& text, MessageIcon icon, MessageButtons buttons) {
    if (QThread::currentThread() == thread()) {
        return showOnWindowThread(text, icon, buttons);
    }
    return askFromHelperThread(text, icon, buttons);
}

MessageAnswer GuiPort::askFromHelperThread(const QString& text, MessageIcon icon,
                                           MessageButtons buttons) {
    auto question = std::make_shared<Question>();
    {
        const std::lock_guard lock(mutex_);
        if (released_) {
            return MessageAnswer::Cancel;
        }
        waiting_.push_back(question);
    }
    // Dropped by Qt when the port goes first; the release below answers then.
    QMetaObject::invokeMethod(
        this,
        [this, question, text, icon, buttons] {
            {
                const std::lock_guard lock(mutex_);
                if (question->settled) {
                    return;
                }
            }
            answer(*question, showOnWindowThread(text, icon, buttons));
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&] { return question->settled; });
    std::erase(waiting_, question);
    return question->answer;
}

void GuiPort::answer(Question& question, MessageAnswer answer) {
    {
        const std::lock_guard lock(mutex_);
        if (question.settled) {
            return;
        }
        question.settled = true;
        question.answer = answer;
    }
    answered_.notify_all();
}

void GuiPort::releaseQuestions() {
    std::vector<std::shared_ptr<Question>> waiting;
    {
        const std::lock_guard lock(mutex_);
        released_ = true;
        waiting = waiting_;
    }
    for (const auto& question : waiting) {
        answer(*question, MessageAnswer::Cancel);
    }
}

void GuiPort::acceptQuestions() {
    const std::lock_guard lock(mutex_);
    released_ = false;
}

int GuiPort::waitingQuestions() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(waiting_.begin(), waiting_.end(),
                                          [](const auto& question) { return !question->settled; }));
}

MessageAnswer GuiPort::showMessage(int number, MessageIcon icon, MessageButtons buttons) {
    if (const auto replaced = instead_.find(number); replaced != instead_.end()) {
        number = replaced->second;
    }
    return ask(FromAnsi(language_.LoadText(number)), icon, buttons);
}

MessageAnswer GuiPort::showText(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    return ask(FromAnsi(text), icon, buttons);
}

void GuiPort::startProgress(int captionNumber, std::int64_t maximum) {
    const QString caption = caption_(captionNumber);
    onWindowThread([this, caption, maximum] {
        maximum_ = std::max<std::int64_t>(maximum, 1);
        progress_.begin(caption);
    });
}

void GuiPort::setProgress(std::int64_t value) {
    onWindowThread(
        [this, value] { progress_.setPermille(static_cast<int>(value * 1000 / maximum_)); });
}

void GuiPort::endProgress() {
    onWindowThread([this] { progress_.finish(); });
}

} // namespace kolvane
