// SPDX-License-Identifier: MIT
#include "gui/ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>

namespace kolvane {

void ProgressWindow::attach(QLabel& caption, QProgressBar& bar) {
    caption_ = &caption;
    bar_ = &bar;
    bar_->setRange(0, 1000);
}

void ProgressWindow::begin(const QString& caption) {
    caption_->setText(caption);
    bar_->setValue(0);
    show();
    raise();
}

void ProgressWindow::setPermille(int permille) {
    bar_->setValue(std::clamp(permille, 0, 1000));
}

void ProgressWindow::finish() {
    hide();
}

QString ProgressWindow::caption() const {
    return caption_->text();
}

int ProgressWindow::permille() const {
    return bar_->value();
}

} // namespace kolvane
