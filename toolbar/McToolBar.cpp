// SPDX-License-Identifier: MIT
#include "toolbar/McToolBar.h"

#include <QAction>
#include <QToolButton>

namespace kolvane::toolbar {
namespace {

const QColor kDefaultHover(0xcf, 0xe3, 0xf7);

QString gradient(const QColor& top, const QColor& bottom) {
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
        .arg(top.name(), bottom.name());
}

// Buttons are flat until the pointer is over them; the marked one looks pressed
// in (darker at its top edge) in the warm colour of the step it stands for.
QString toolbarStyle(const QColor& hover) {
    const QColor markedTop(0xf2, 0xc4, 0x86);
    const QColor markedBottom(0xff, 0xe6, 0xc4);
    return QStringLiteral("QToolBar { background: %1; border: none; spacing: 2px; padding: 2px; }"
                          "QToolButton { border: 1px solid transparent; border-radius: 4px;"
                          " padding: 2px 5px; margin: 1px; }"
                          "QToolButton:hover { background: %2; border-color: %3; }"
                          "QToolButton:pressed { background: %4; border-color: %3; }"
                          "QToolButton:checked { background: %5; border-color: %6; }"
                          "QToolButton:checked:hover { border-color: %3; }"
                          // Qt's chevron is narrow: padding would leave its arrow no room.
                          "QToolButton#qt_toolbar_ext_button { padding: 0px; margin: 0px; }")
        .arg(gradient(QColor(0xfa, 0xfa, 0xfa), QColor(0xe4, 0xe7, 0xea)),
             gradient(hover.lighter(112), hover), hover.darker(135).name(),
             gradient(hover.darker(115), hover), gradient(markedTop, markedBottom),
             QColor(0xc2, 0x85, 0x3a).name());
}

} // namespace

McToolBar::McToolBar(QWidget* parent) : QToolBar(parent), hoverColor_(kDefaultHover) {
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    applyLook();
}

int McToolBar::addButton(const QString& caption, const QIcon& icon, const QString& toolTip,
                         const QString& objectName) {
    const int index = buttonCount() + 1;
    QAction* action = addAction(icon, caption);
    action->setToolTip(toolTip);
    // Checked is the mark, which only setMarked changes (see showMark).
    action->setCheckable(true);
    const QString prefix =
        this->objectName().isEmpty() ? QStringLiteral("button") : this->objectName();
    const QString name = objectName.isEmpty() ? prefix + QString::number(index) : objectName;
    action->setObjectName(name);
    if (QWidget* widget = widgetForAction(action)) {
        widget->setObjectName(name);
    }
    buttons_.push_back(action);
    connect(action, &QAction::triggered, this, [this, index] {
        showMark(); // a click toggled the check: put the mark back first
        emit buttonClicked(index);
    });
    return index;
}

void McToolBar::removeButtonsFrom(int index) {
    index = std::max(index, 1);
    if (index > buttonCount()) {
        return;
    }
    const QAction* lastKept = index > 1 ? buttons_[static_cast<std::size_t>(index - 2)] : nullptr;
    bool removing = lastKept == nullptr;
    for (QAction* action : actions()) {
        if (removing) {
            removeAction(action);
            // A button may be removed from its own click: delete it afterwards,
            // and out of the toolbar's children at once.
            action->setParent(nullptr);
            action->deleteLater();
        }
        removing = removing || action == lastKept;
    }
    buttons_.resize(static_cast<std::size_t>(index - 1));
    if (marked_ >= index) {
        marked_ = 0;
    }
}

QAction* McToolBar::buttonAction(int index) const {
    if (index < 1 || index > buttonCount()) {
        return nullptr;
    }
    return buttons_[static_cast<std::size_t>(index - 1)];
}

QToolButton* McToolBar::button(int index) const {
    QAction* action = buttonAction(index);
    return action ? qobject_cast<QToolButton*>(widgetForAction(action)) : nullptr;
}

void McToolBar::setButtonEnabled(int index, bool enabled) {
    if (QAction* action = buttonAction(index)) {
        action->setEnabled(enabled);
    }
}

bool McToolBar::isButtonEnabled(int index) const {
    const QAction* action = buttonAction(index);
    return action != nullptr && action->isEnabled();
}

void McToolBar::setMarked(int index) {
    marked_ = buttonAction(index) ? index : 0;
    showMark();
}

void McToolBar::showMark() {
    for (int index = 1; index <= buttonCount(); ++index) {
        buttons_[static_cast<std::size_t>(index - 1)]->setChecked(index == marked_);
    }
}

void McToolBar::setHoverColor(const QColor& color) {
    hoverColor_ = color;
    applyLook();
}

void McToolBar::applyLook() {
    setStyleSheet(toolbarStyle(hoverColor_));
}

} // namespace kolvane::toolbar
