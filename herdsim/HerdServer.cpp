// SPDX-License-Identifier: MIT
// The automation server's methods and its frame loop.
#include "herdsim/HerdServer.h"

#include "herdsim/AdisExchange.h"
#include "herdsim/HerdDatabase.h"
#include "herdsim/Text.h"

#include <cerrno>
#include <unistd.h>

namespace herdsim {
namespace {

using kolvane::automation::Answer;
using kolvane::automation::Call;

Answer failure(long number, std::string description) {
    Answer answer;
    answer.errorNumber = number;
    answer.description = std::move(description);
    return answer;
}

Answer success(std::string result, const Call& call) {
    Answer answer;
    answer.ok = true;
    answer.result = std::move(result);
    answer.arguments = call.arguments; // by-reference arguments come back unchanged
    return answer;
}

enum class ReadResult { Complete, End, Broken };

ReadResult readExactly(int fd, std::string& bytes, std::size_t count) {
    bytes.resize(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = read(fd, bytes.data() + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return done == 0 && got == 0 ? ReadResult::End : ReadResult::Broken;
        }
        done += static_cast<std::size_t>(got);
    }
    return ReadResult::Complete;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
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

std::uint32_t frameLength(const std::string& prefix) {
    std::uint32_t length = 0;
    for (int i = 3; i >= 0; --i) {
        length = (length << 8) | static_cast<unsigned char>(prefix[static_cast<std::size_t>(i)]);
    }
    return length;
}

} // namespace

Answer HerdServer::handle(const Call& call) const {
    const std::string method = ToLowerAscii(call.method);
    if (method == "adisexchange") {
        return adisExchange(call);
    }
    if (method == "gettranslationline") {
        return translationLine(call);
    }
    return failure(server_error::kUnknownMethod,
                   "Object doesn't support this property or method: " + call.method);
}

Answer HerdServer::handlePayload(std::string_view payload) const {
    const auto call = kolvane::automation::DecodeCall(payload);
    if (!call) {
        return failure(server_error::kUnreadableCall, "The call could not be read.");
    }
    return handle(*call);
}

Answer HerdServer::adisExchange(const Call& call) const {
    if (call.arguments.size() != 1) {
        return failure(server_error::kArgumentCount,
                       "adisexchange takes one argument, the request line.");
    }
    ExchangeRequest request;
    if (std::string problem = ParseRequestLine(call.arguments[0], request); !problem.empty()) {
        return failure(server_error::kBadRequest, std::move(problem));
    }
    if (request.entity != 0) {
        return success(storedRecordsAnswer(request), call);
    }
    std::string answer;
    if (std::string problem = AnswerCodeList(request, setup_.codes, answer); !problem.empty()) {
        return failure(server_error::kUnknownItem, std::move(problem));
    }
    return success(std::move(answer), call);
}

std::string HerdServer::storedRecordsAnswer(const ExchangeRequest& request) const {
    std::vector<long> items;
    for (const auto& item : request.items) {
        items.push_back(item.itemNumber);
    }
    std::vector<StoredRecord> records;
    std::unique_ptr<HerdDatabase> database;
    kolvane::Status status = HerdDatabase::OpenForReading(setup_.databasePath, database);
    if (status.ok()) {
        status = ReadStoredRecords(*database, items, records);
    }
    if (!status.ok()) {
        // No herd data to give is an empty answer, not a failed call.
        diagnostics_ << "hxautoserver: " << status.describe() << "\n";
        records.clear();
    }
    return AnswerStoredRecords(request, records, setup_.codes);
}

Answer HerdServer::translationLine(const Call& call) const {
    if (call.arguments.size() != 1) {
        return failure(server_error::kArgumentCount,
                       "gettranslationline takes one argument, the text number.");
    }
    const auto number = ParseAlignedNumber(TrimBlanks(call.arguments[0]));
    const Language language =
        LanguageFromSetting(setup_.readLanguage ? setup_.readLanguage() : std::nullopt);
    const auto text = number ? setup_.translations.text(*number, language) : std::nullopt;
    if (!text) {
        return failure(server_error::kNoSuchText, "There is no text number \"" + call.arguments[0] +
                                                      "\"; the texts are 36001 to 36061.");
    }
    return success(*text, call);
}

int ServeFrames(int input, int output,
                const std::function<Answer(std::string_view payload)>& answer,
                std::ostream& diagnostics) {
    std::string prefix;
    std::string payload;
    for (;;) {
        const ReadResult head = readExactly(input, prefix, 4);
        if (head == ReadResult::End) {
            return 0;
        }
        const std::uint32_t length = head == ReadResult::Complete ? frameLength(prefix) : 0;
        if (head == ReadResult::Broken || length > kolvane::automation::kMaxFrameSize) {
            diagnostics << "hxautoserver: damaged frame on standard input; stopping.\n";
            return 1;
        }
        if (readExactly(input, payload, length) != ReadResult::Complete) {
            diagnostics << "hxautoserver: standard input ended inside a frame; stopping.\n";
            return 1;
        }
        const std::string reply =
            kolvane::automation::Frame(kolvane::automation::EncodeAnswer(answer(payload)));
        if (!writeAll(output, reply)) {
            diagnostics << "hxautoserver: the caller no longer reads the answers; stopping.\n";
            return 1;
        }
    }
}

} // namespace herdsim
