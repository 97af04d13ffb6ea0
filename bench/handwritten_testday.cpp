// SPDX-License-Identifier: MIT
// A hand-optimised transform written for one file shape only: the generated
// test-day file and its setup. It knows nothing of setups, dates formats or
// factors; it is the yardstick for the engine's speed, and, since it must
// print the same bytes, a cross-check of its output.
//   handwritten_testday SOURCE.txt > out.ads
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

void padded(std::string& out, std::string_view value, std::size_t width) {
    const std::size_t kept = value.size() < width ? value.size() : width;
    out.append(value.data(), kept);
    out.append(width - kept, ' ');
}

void withoutPoint(std::string& out, std::string_view value, std::size_t width) {
    char digits[32];
    std::size_t n = 0;
    for (const char c : value) {
        if (c != '.' && n < sizeof digits) {
            digits[n++] = c;
        }
    }
    padded(out, std::string_view(digits, n), width);
}

void convertLine(std::string& out, std::string_view line) {
    std::string_view f[10];
    std::size_t start = 0;
    for (int i = 0; i < 10; ++i) {
        const std::size_t end = i < 9 ? line.find(';', start) : line.size();
        f[i] = line.substr(start, end - start);
        start = end + 1;
    }
    out += "\r\nVN000000";
    padded(out, f[0], 15);
    const std::string_view d = f[1]; // dd-mm-yy
    out += (d[6] - '0') * 10 + (d[7] - '0') < 70 ? "20" : "19";
    out.append(d.substr(6, 2)).append(d.substr(3, 2)).append(d.substr(0, 2));
    withoutPoint(out, f[2], 3);
    withoutPoint(out, f[3], 4);
    padded(out, f[4], 5);
    padded(out, f[5], 2);
    padded(out, f[6], 24);
    out.append(f[7].substr(0, 2)).append(f[7].substr(3, 2)).append("00");
    padded(out, f[8], 3);
    padded(out, f[9], 24);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: handwritten_testday SOURCE.txt\n", stderr);
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (in == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::string out = "fN errok=1\r\nDH00000000000000080\r\nVH000000DD      \r\nDN000000"
                      "00900080150009000320800080004403100900077042009000470500090005802000900045"
                      "240009000780600090002603000900006240";
    std::vector<char> buffer(1 << 20);
    std::size_t kept = 0;
    bool header = true;
    for (;;) {
        const std::size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, in);
        const std::size_t size = kept + got;
        std::size_t start = 0;
        for (;;) {
            const void* hit = std::memchr(buffer.data() + start, '\n', size - start);
            if (hit == nullptr) {
                break;
            }
            const auto end =
                static_cast<std::size_t>(static_cast<const char*>(hit) - buffer.data());
            std::string_view line(buffer.data() + start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            if (!header && !line.empty()) {
                convertLine(out, line);
            }
            header = false;
            start = end + 1;
        }
        if (out.size() > (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
        kept = size - start;
        std::memmove(buffer.data(), buffer.data() + start, kept);
        if (got == 0) {
            break;
        }
    }
    out += "\r\nZN\r\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fclose(in);
    return 0;
}
