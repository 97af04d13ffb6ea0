// SPDX-License-Identifier: MIT
// The converter's toolbar control: numbered buttons (from 1, separators are not
// counted) with caption, icon and tool tip, an enabled state and one marked
// button drawn pressed, a hover colour, and Qt's extension chevron for the
// buttons that do not fit. A click is told as the button's number.
//
// A tool tip may be given as a Spanish string id ("1171"): the form localiser
// keeps that number with the button and its action and shows the text of the
// current language. Buttons added after the owner was localised need another
// walk of the localiser over the toolbar (a walk keeps the numbers it found, so
// it may run as often as needed).
#pragma once

#include <QColor>
#include <QIcon>
#include <QToolBar>
#include <vector>

class QAction;
class QToolButton;

namespace kolvane::toolbar {

class McToolBar final : public QToolBar {
    Q_OBJECT
public:
    explicit McToolBar(QWidget* parent = nullptr);

    // Adds a button at the end and returns its number (1 for the first). The
    // button and its action are named `objectName`, or, when that is empty,
    // after the toolbar and the number ("McToolBarProgress3").
    int addButton(const QString& caption, const QIcon& icon, const QString& toolTip,
                  const QString& objectName = {});
    // QToolBar::addSeparator adds a separator at the end; it has no number.
    using QToolBar::addSeparator;
    // Removes button `index`, every button and separator after it and the
    // separators in front of it, so that a group of buttons (with its
    // separator) can be built again; the mark goes with its button.
    void removeButtonsFrom(int index);

    int buttonCount() const { return static_cast<int>(buttons_.size()); }
    // Numbers outside 1 to buttonCount() are ignored (and are never enabled).
    void setButtonEnabled(int index, bool enabled);
    bool isButtonEnabled(int index) const;
    // The button drawn pressed: one at a time; 0 (or a number without a
    // button) marks none.
    void setMarked(int index);
    int marked() const { return marked_; }

    void setHoverColor(const QColor& color);
    QColor hoverColor() const { return hoverColor_; }

    // The widget that shows button `index` (nullptr for a number without one).
    QToolButton* button(int index) const;
    QAction* buttonAction(int index) const;

signals:
    void buttonClicked(int index);

private:
    void showMark();
    void applyLook();

    std::vector<QAction*> buttons_;
    int marked_ = 0;
    QColor hoverColor_;
};

} // namespace kolvane::toolbar
