// SPDX-License-Identifier: MIT
// A scripted automation server for tests: `fake_automation_server MODE [FILE]`.
//   answer   "adisexchange" returns the bytes of FILE; "echo" returns its first
//            argument and changes every argument to upper case (they are by
//            reference); other methods get an error answer 438.
//   error    every call gets the error answer 1234 "the herd database is locked"
//   crash    ends without answering
//   garbage  answers with a frame that is no answer
//   hang     never answers
#include "herdlink/AutomationProtocol.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using namespace kolvane::automation;

bool readExactly(std::string& bytes, std::size_t count) {
    bytes.resize(count);
    return count == 0 || std::fread(bytes.data(), 1, count, stdin) == count;
}

void send(const std::string& payload) {
    const std::string frame = Frame(payload);
    std::fwrite(frame.data(), 1, frame.size(), stdout);
    std::fflush(stdout);
}

Answer answerFor(const Call& call, const std::string& file) {
    Answer answer;
    if (call.method == "adisexchange") {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        answer.ok = true;
        answer.result = text.str();
        answer.arguments = call.arguments;
    } else if (call.method == "echo" && !call.arguments.empty()) {
        answer.ok = true;
        answer.result = call.arguments.front();
        for (auto argument : call.arguments) {
            for (char& c : argument) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            answer.arguments.push_back(argument);
        }
    } else {
        answer.errorNumber = 438;
        answer.description = "Object doesn't support this property or method";
    }
    return answer;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "answer";
    const std::string file = argc > 2 ? argv[2] : "";
    std::string header;
    while (readExactly(header, 4)) {
        std::uint32_t length = 0;
        for (int i = 3; i >= 0; --i) {
            length =
                (length << 8) | static_cast<unsigned char>(header[static_cast<std::size_t>(i)]);
        }
        std::string payload;
        if (!readExactly(payload, length)) {
            return 1;
        }
        const auto call = DecodeCall(payload);
        if (mode == "crash") {
            return 3;
        }
        if (mode == "hang") {
            std::this_thread::sleep_for(std::chrono::hours(1));
        }
        if (mode == "garbage") {
            send("XX");
            continue;
        }
        if (mode == "error" || !call) {
            send(EncodeAnswer({false, {}, {}, 1234, "the herd database is locked"}));
            continue;
        }
        send(EncodeAnswer(answerFor(*call, file)));
    }
    return 0;
}
