// SPDX-License-Identifier: MIT
// A control of a window, found by its objectName as a user's tool would; a
// missing control fails the test.
#pragma once

#include <QWidget>
#include <stdexcept>
#include <string>

namespace kolvane::guitest {

template <typename Control> Control* in(QWidget* window, const char* name) {
    Control* control = window ? window->findChild<Control*>(QLatin1String(name)) : nullptr;
    if (control == nullptr) {
        throw std::runtime_error(std::string("no control ") + name);
    }
    return control;
}
template <typename Control> Control* in(QWidget& window, const char* name) {
    return in<Control>(&window, name);
}

} // namespace kolvane::guitest
