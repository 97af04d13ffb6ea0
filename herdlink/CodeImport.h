// SPDX-License-Identifier: MIT
// Refilling the code dictionary from the herd software: the code list comes
// through the ADIS exchange and replaces the table's content in one
// transaction, only once the whole answer has been stored. On any failure the
// dictionary stays exactly as it was and the caller learns why.
#pragma once

#include "engine/UserPort.h"
#include "herdlink/AutomationObject.h"
#include "herdlink/CodeDictionary.h"
#include "storage/RegistryBackend.h"

#include <string>
#include <vector>

namespace kolvane {

// Entity 0 (the code list) with items 901, 905, 902, 903, 908, 904, 911, 912.
inline constexpr std::string_view kCodeRequest =
    "RN     0     901100     905100     902140     903450     908 40     904 40     911 50"
    "     912 50";

struct CodeImportResult {
    // What failed, so that a window can say it in the user's words.
    enum class Failure {
        None,
        DictionaryUnusable, // the dictionary cannot be opened or written
        ServerUnavailable,  // the automation server is not registered or does not start
        ServerError,        // the server answered with an error
        AnswerUnusable,     // the answer holds no code, or records of another shape
    };
    Failure failure = Failure::None;
    AutomationError serverError; // with ServerError: its number and text
    Status status;
    std::size_t stored = 0;
};

CodeImportResult Importar_Codigos(const std::string& databasePath, RegistryBackend& registry,
                                  UserPort& port);

// Replaces every row of an existing dictionary, in one transaction.
Status ReplaceCodes(const std::string& databasePath, const std::vector<CodeRow>& rows);

// Creates a new dictionary file with the given rows (the build's shipped
// dictionary); an existing file is replaced atomically.
Status CreateCodeDictionary(const std::string& databasePath, const std::vector<CodeRow>& rows);

} // namespace kolvane
