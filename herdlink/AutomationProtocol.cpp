// SPDX-License-Identifier: MIT
#include "herdlink/AutomationProtocol.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <unistd.h>

namespace kolvane::automation {
namespace {

void appendLength(std::string& out, std::size_t length) {
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((length >> shift) & 0xFF);
    }
}

enum class Filled { Complete, Nothing, Partly };

// Reads exactly `count` bytes; Nothing when the input ended before the first.
// The buffer grows with what arrives, so that a damaged length announcing the
// largest frame costs no memory before its bytes come.
Filled fill(int fd, std::string& bytes, std::size_t count) {
    constexpr std::size_t kChunk = std::size_t{64} << 10;
    bytes.clear();
    while (bytes.size() < count) {
        const std::size_t done = bytes.size();
        const std::size_t wanted = std::min(count - done, kChunk);
        bytes.resize(done + wanted);
        const ssize_t got = ::read(fd, bytes.data() + done, wanted);
        bytes.resize(done + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return done == 0 && got == 0 ? Filled::Nothing : Filled::Partly;
        }
    }
    return Filled::Complete;
}

std::uint32_t readLength(std::string_view bytes) {
    std::uint32_t length = 0;
    for (int i = 3; i >= 0; --i) {
        length = (length << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    }
    return length;
}

} // namespace

std::string EncodeFields(const std::vector<std::string>& fields) {
    std::string out;
    for (const auto& field : fields) {
        appendLength(out, field.size());
        out += field;
    }
    return out;
}

std::optional<std::vector<std::string>> DecodeFields(std::string_view bytes) {
    std::vector<std::string> fields;
    while (!bytes.empty()) {
        if (bytes.size() < 4) {
            return std::nullopt;
        }
        const std::uint32_t length = readLength(bytes);
        bytes.remove_prefix(4);
        if (length > bytes.size()) {
            return std::nullopt;
        }
        fields.emplace_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return fields;
}

std::string Frame(std::string_view payload) {
    std::string out;
    appendLength(out, payload.size());
    out += payload;
    return out;
}

std::uint32_t FrameLength(std::string_view prefix) {
    return readLength(prefix);
}

FrameRead ReadFrame(int fd, std::string& payload) {
    std::string prefix;
    const Filled head = fill(fd, prefix, 4);
    if (head == Filled::Nothing) {
        return FrameRead::End;
    }
    if (head != Filled::Complete || FrameLength(prefix) > kMaxFrameSize) {
        return FrameRead::Broken;
    }
    return fill(fd, payload, FrameLength(prefix)) == Filled::Complete ? FrameRead::Frame
                                                                      : FrameRead::Broken;
}

bool WriteFrame(int fd, std::string_view payload) {
    const std::string frame = Frame(payload);
    std::string_view bytes = frame;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string EncodeCall(const Call& call) {
    std::vector<std::string> fields{call.method};
    fields.insert(fields.end(), call.arguments.begin(), call.arguments.end());
    return EncodeFields(fields);
}

std::optional<Call> DecodeCall(std::string_view payload) {
    auto fields = DecodeFields(payload);
    if (!fields || fields->empty()) {
        return std::nullopt;
    }
    Call call;
    call.method = std::move(fields->front());
    call.arguments.assign(fields->begin() + 1, fields->end());
    return call;
}

std::string EncodeAnswer(const Answer& answer) {
    if (answer.ok) {
        std::vector<std::string> fields{"OK", answer.result};
        fields.insert(fields.end(), answer.arguments.begin(), answer.arguments.end());
        return EncodeFields(fields);
    }
    return EncodeFields({"ERR", std::to_string(answer.errorNumber), answer.description});
}

std::optional<Answer> DecodeAnswer(std::string_view payload) {
    const auto fields = DecodeFields(payload);
    if (!fields || fields->empty()) {
        return std::nullopt;
    }
    Answer answer;
    if ((*fields)[0] == "OK" && fields->size() >= 2) {
        answer.ok = true;
        answer.result = (*fields)[1];
        answer.arguments.assign(fields->begin() + 2, fields->end());
        return answer;
    }
    if ((*fields)[0] == "ERR" && fields->size() == 3) {
        const std::string& number = (*fields)[1];
        const auto [end, ec] =
            std::from_chars(number.data(), number.data() + number.size(), answer.errorNumber);
        if (ec != std::errc{} || end != number.data() + number.size()) {
            return std::nullopt;
        }
        answer.description = (*fields)[2];
        return answer;
    }
    return std::nullopt;
}

} // namespace kolvane::automation
