// SPDX-License-Identifier: MIT
#include "converter/CodeImportAction.h"

#include "gui/QtText.h"
#include "herdlink/CodeImport.h"

namespace kolvane::converter {
namespace {

QString text(const ConverterContext& context, int number) {
    return FromAnsi(context.language.LoadText(number));
}

QString failureText(const ConverterContext& context, const CodeImportResult& result) {
    switch (result.failure) {
    case CodeImportResult::Failure::ServerUnavailable:
        return text(context, msg::CodeImportServerUnavailable);
    case CodeImportResult::Failure::ServerError:
        return text(context, msg::CodeImportServerError) + QLatin1Char('\n') +
               QString::number(result.serverError.number) + QStringLiteral(": ") +
               FromAnsi(result.serverError.description);
    case CodeImportResult::Failure::AnswerUnusable:
        return text(context, msg::CodeImportServerError) + QLatin1Char('\n') +
               DescribeStatus(result.status, context.language);
    default:
        return text(context, msg::CodeImportDictionaryUnusable) + QLatin1Char('\n') +
               DescribeStatus(result.status, context.language);
    }
}

} // namespace

bool RecargarDb(ConverterContext& context, QWidget& parent, std::function<void()> endProgram) {
    // The refill is one transaction and cannot be stopped halfway: its outcome
    // is told even when Cancel was pressed meanwhile.
    auto outcome = std::make_shared<std::optional<CodeImportResult>>();
    context.port.startProgress(msg::ImportingCodes, 1);
    const bool started = context.session.jobs().start(
        [&context, outcome](JobControl&) {
            *outcome = Importar_Codigos(context.codeDictionaryPath, context.registry, context.port);
            return true;
        },
        [&context, &parent, outcome, endProgram = std::move(endProgram)](std::optional<bool>) {
            context.port.endProgress();
            const CodeImportResult& result = **outcome;
            if (result.status.ok()) {
                context.dialogs.message(&parent, text(context, msg::CodesImportedRestart),
                                        QMessageBox::Information, QMessageBox::Ok);
                endProgram();
                return;
            }
            context.dialogs.message(&parent, failureText(context, result), QMessageBox::Warning,
                                    QMessageBox::Ok);
        });
    if (!started) {
        context.port.endProgress();
    }
    return started;
}

} // namespace kolvane::converter
