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
#include <unistd.h>

namespace {

using namespace kolvane::automation;

void send(const std::string& payload) {
    WriteFrame(STDOUT_FILENO, payload);
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
    std::string payload;
    for (;;) {
        const FrameRead read = ReadFrame(STDIN_FILENO, payload);
        if (read == FrameRead::End) {
            return 0;
        }
        if (read == FrameRead::Broken) {
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
}
