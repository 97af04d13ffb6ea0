// SPDX-License-Identifier: MIT
#include "engine/Horas.h"

namespace kolvane {
namespace {

bool isTimeSeparator(char c) {
    return c == '/' || c == '-' || c == '.' || c == ':' || c == ',';
}

// Takes one group from the front of `value` (up to a separator, which is dropped too)
// and writes its two digits to `out`.
void takeGroup(char* out, std::string_view& value, bool keepLastDigits) {
    char first = 0;
    char second = 0;
    char previous = 0;
    int digits = 0;
    std::size_t i = 0;
    for (; i < value.size() && !isTimeSeparator(value[i]); ++i) {
        const char c = value[i];
        if (c < '0' || c > '9') {
            continue;
        }
        if (digits == 0) {
            first = c;
        } else if (digits == 1) {
            second = c;
        }
        if (keepLastDigits && digits >= 1) {
            first = previous;
            second = c;
        }
        previous = c;
        ++digits;
    }
    value.remove_prefix(i < value.size() ? i + 1 : i);
    if (digits == 0) {
        out[0] = '0';
        out[1] = '0';
    } else if (digits == 1) {
        out[0] = '0';
        out[1] = first;
    } else {
        out[0] = first;
        out[1] = second;
    }
}

} // namespace

void AppendConvertedTime(std::string& out, std::string_view value) {
    char time[6];
    takeGroup(time, value, true);
    takeGroup(time + 2, value, false);
    takeGroup(time + 4, value, false);
    out.append(time, sizeof time);
}

std::string ConvertTime(std::string_view value) {
    std::string result;
    result.reserve(6);
    AppendConvertedTime(result, value);
    return result;
}

} // namespace kolvane
