// SPDX-License-Identifier: MIT
// Where converted text goes: a file, standard output, or a string in tests.
#pragma once

#include "engine/Status.h"

#include <string>
#include <string_view>

namespace kolvane {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual Status write(std::string_view bytes) = 0;
};

class StringSink final : public ByteSink {
public:
    Status write(std::string_view bytes) override {
        text.append(bytes);
        return Status::Ok();
    }
    std::string text;
};

} // namespace kolvane
