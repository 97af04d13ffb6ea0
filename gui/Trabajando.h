// SPDX-License-Identifier: MIT
// The working window: a caption and the progress of a long operation (splitting,
// cutting, converting), with a Cancel button where the work can be stopped.
#pragma once

#include "gui/ProgressWindow.h"

#include <memory>

namespace kolvane {

class FormLocaliser;

namespace Ui {
class Trabajando;
}

class Trabajando final : public ProgressWindow {
    Q_OBJECT
public:
    explicit Trabajando(const FormLocaliser& localiser, QWidget* parent = nullptr);
    ~Trabajando() override;

    // With Cancel the user may stop the work shown; Esc and closing the
    // window count as Cancel then (and are ignored otherwise).
    void setCancellable(bool cancellable);

signals:
    void cancelRequested();

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::Trabajando> ui_;
};

} // namespace kolvane
