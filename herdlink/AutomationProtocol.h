// SPDX-License-Identifier: MIT
// The wire format between an automation object and its server process: every
// message is a frame on the process's standard input or output, a 4-byte
// little-endian length followed by that many bytes. A frame holds fields, each
// again a 4-byte little-endian length and its bytes, so any bytes travel.
//
//   call:    method name, then each argument
//   answer:  "OK", the return text, then each argument as the server left it
//            (they are passed by reference), or
//            "ERR", the error number in decimal, a description
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvane::automation {

// Frames and fields above this size are refused as damaged.
inline constexpr std::uint32_t kMaxFrameSize = 256u << 20;

std::string EncodeFields(const std::vector<std::string>& fields);
// Nothing when the bytes are not a well-formed list of fields.
std::optional<std::vector<std::string>> DecodeFields(std::string_view bytes);

// A frame: the length prefix and the payload.
std::string Frame(std::string_view payload);
// The payload length that a 4-byte prefix announces.
std::uint32_t FrameLength(std::string_view prefix);

// Blocking frame I/O on a file descriptor (a pipe to or from the other side).
enum class FrameRead { Frame, End, Broken }; // End: the input closed between frames
FrameRead ReadFrame(int fd, std::string& payload);
bool WriteFrame(int fd, std::string_view payload);

struct Call {
    std::string method;
    std::vector<std::string> arguments;
};

struct Answer {
    bool ok = false;
    std::string result;                 // when ok
    std::vector<std::string> arguments; // when ok: the arguments after the call
    long errorNumber = 0;               // when not ok
    std::string description;            // when not ok
};

std::string EncodeCall(const Call& call);
std::optional<Call> DecodeCall(std::string_view payload);
std::string EncodeAnswer(const Answer& answer);
std::optional<Answer> DecodeAnswer(std::string_view payload);

} // namespace kolvane::automation
