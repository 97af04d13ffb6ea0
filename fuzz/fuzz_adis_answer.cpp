// SPDX-License-Identifier: MIT
// What the automation server sends back: the ADIS answer of "adisexchange" cut
// into records of items, and the frames and fields of the wire format, read
// from a pipe as the automation object reads them.
#include "fuzz/FuzzSupport.h"
#include "herdlink/AdisExchange.h"
#include "herdlink/AutomationProtocol.h"

#include <fcntl.h>
#include <unistd.h>

namespace kolvane::fuzz {
namespace {

void answer(std::string_view text) {
    for (const AdisPair& pair : ADIS::Dividir_Respuesta(text, nullptr)) {
        AutomationError error;
        static_cast<void>(ADIS::Leer_Items(pair.definition, pair.value, error));
        static_cast<void>(ADIS::Trans_Fechas(pair.value));
    }
}

void fields(std::string_view bytes) {
    if (const auto decoded = automation::DecodeFields(bytes)) {
        Require(automation::EncodeFields(*decoded) == bytes, "decoded fields encode back");
    }
    if (const auto call = automation::DecodeCall(bytes)) {
        Require(automation::DecodeCall(automation::EncodeCall(*call)).has_value(),
                "an encoded call decodes");
    }
    if (const auto reply = automation::DecodeAnswer(bytes)) {
        const auto again = automation::DecodeAnswer(automation::EncodeAnswer(*reply));
        Require(again && again->ok == reply->ok, "an encoded answer decodes");
    }
}

// The input through a pipe, frame after frame, until it ends or breaks.
void frames(std::string_view bytes) {
    int ends[2];
    if (::pipe(ends) != 0) {
        return;
    }
    // Inputs stay below the pipe's buffer (libFuzzer's -max_len), so the
    // write does not block.
    const bool written =
        ::write(ends[1], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(ends[1]);
    std::string payload;
    while (written && automation::ReadFrame(ends[0], payload) == automation::FrameRead::Frame) {
        fields(payload);
        payload.clear();
    }
    ::close(ends[0]);
}

} // namespace
} // namespace kolvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kolvane::fuzz;
    const std::string_view text = AsText(data, size);
    if (size > 60000) {
        return 0; // more than a pipe holds without a reader
    }
    answer(text);
    fields(text);
    frames(text);
    return 0;
}
