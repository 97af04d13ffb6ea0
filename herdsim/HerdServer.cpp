// SPDX-License-Identifier: MIT
// The automation server's methods and its frame loop.
#include "herdsim/HerdServer.h"

#include "herdsim/AdisExchange.h"
#include "herdsim/HerdDatabase.h"
#include "herdsim/Text.h"

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
    std::string payload;
    for (;;) {
        const auto read = kolvane::automation::ReadFrame(input, payload);
        if (read == kolvane::automation::FrameRead::End) {
            return 0;
        }
        if (read == kolvane::automation::FrameRead::Broken) {
            diagnostics << "hxautoserver: damaged or unfinished frame on standard input; "
                           "stopping.\n";
            return 1;
        }
        if (!kolvane::automation::WriteFrame(output,
                                             kolvane::automation::EncodeAnswer(answer(payload)))) {
            diagnostics << "hxautoserver: the caller no longer reads the answers; stopping.\n";
            return 1;
        }
    }
}

} // namespace herdsim
