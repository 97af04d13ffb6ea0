// SPDX-License-Identifier: MIT
#include "gui/ImportSession.h"

#include "engine/Crea_Adis.h"
#include "engine/FixedColumnsTOColumns.h"
#include "engine/TxtTOArray.h"
#include "herdlink/AutomaticRun.h"
#include "herdlink/CodeDictionary.h"

namespace kolvane {

ImportSession::ImportSession(const Language& language, GuiPort& port, const Clock& clock,
                             QObject* parent)
    : QObject(parent), language_(language), port_(port), clock_(clock),
      numbers_(NumberFormat::fromSystemLocale()), jobs_(port) {
    connect(&jobs_, &JobRunner::busyChanged, this, &ImportSession::busyChanged);
}

EngineContext ImportSession::context() {
    return {language_, port_, numbers_, clock_};
}

Status ImportSession::openDst(const std::string& path, const DstOpening& opening) {
    Status opened = OpenDst(setup_, language_, port_, path, opening);
    if (opened.ok()) {
        announce({.sourceTable = false, .columnTable = true, .adisText = false});
    }
    return opened;
}

void ImportSession::setSourceFile(const std::string& path) {
    setup_.SourceFilePath = path;
    announce({});
}

void ImportSession::setSendDate(const std::string& sendDate) {
    setup_.SendDate = sendDate;
    announce({});
}

void ImportSession::setColumnTable(ColumnTable columns) {
    setup_.ColumnTable = std::move(columns);
    announce({.columnTable = true});
}

bool ImportSession::changeSettings(const std::function<void(ImportSetup&)>& change) {
    if (busy()) {
        return false;
    }
    change(setup_);
    announce({});
    return true;
}

void ImportSession::useTodayAsSendDate() {
    UseTodayAsSendDate(setup_, clock_);
    announce({});
}

// A closed import process leaves no tables behind either: each step recreates
// its table, and none must look available before it did.
void ImportSession::reset() {
    ResetImportSetup(setup_);
    setup_.SourceTable = {};
    setup_.ColumnTable.clear();
    setup_.FixedColumnStarts.clear();
    announce({.sourceTable = true, .columnTable = true, .adisText = true});
}

bool ImportSession::splitSource(std::function<void(std::optional<SourceReadResult>)> done) {
    return runJob(
        {.sourceTable = true},
        [](ImportSetup& setup, const EngineContext& context) {
            const SourceData source = SourceData::file(setup.SourceFilePath);
            return setup.usesFixedColumns() ? CutFixedColumns(setup, context, source)
                                            : LoadDelimitedSource(setup, context, source);
        },
        [](const SourceReadResult& read) { return read.completed(); }, std::move(done));
}

bool ImportSession::buildAdisText(std::function<void(std::optional<Status>)> done,
                                  const std::string& codeDictionaryPath) {
    return runJob(
        {.columnTable = true, .adisText = true, .readsSourceTable = true},
        [codeDictionaryPath](ImportSetup& setup, const EngineContext& context) {
            if (!codeDictionaryPath.empty()) {
                FillDataTypes(setup, CodeDictionary(codeDictionaryPath));
            }
            return BuildAdisText(setup, context);
        },
        [](const Status& built) { return built.ok(); }, std::move(done));
}

ImportSetup ImportSession::copyForJob(Changes changes) {
    SourceTable table = std::move(setup_.SourceTable);
    std::string text = std::move(setup_.AdisText);
    ImportSetup copy = setup_;
    setup_.AdisText = std::move(text);
    if (changes.readsSourceTable) {
        copy.SourceTable = std::move(table);
    } else {
        setup_.SourceTable = std::move(table);
    }
    return copy;
}

void ImportSession::finishJob(ImportSetup&& copy, Changes changes, bool succeeded) {
    if (!succeeded) {
        if (changes.readsSourceTable) {
            setup_.SourceTable = std::move(copy.SourceTable);
        }
        return;
    }
    SourceTable table = std::move(
        changes.sourceTable || changes.readsSourceTable ? copy.SourceTable : setup_.SourceTable);
    std::string text = std::move(changes.adisText ? copy.AdisText : setup_.AdisText);
    setup_ = std::move(copy);
    setup_.SourceTable = std::move(table);
    setup_.AdisText = std::move(text);
    announce(changes);
}

void ImportSession::announce(Changes changes) {
    emit setupChanged();
    if (changes.sourceTable) {
        emit sourceTableChanged();
    }
    if (changes.columnTable) {
        emit columnTableChanged();
    }
    if (changes.adisText) {
        emit adisTextChanged();
    }
    const bool source = !setup_.SourceFilePath.empty() && setup_.SourceFilePath != "@";
    const bool rows = !setup_.SourceTable.empty();
    const bool text = !setup_.AdisText.empty();
    emit stepAvailable(step::Setup, source);
    emit stepAvailable(step::FixedColumns, rows && setup_.usesFixedColumns());
    emit stepAvailable(step::CodesAndColumns, rows);
    for (int later = step::AdisFile; later <= step::OpenDataExchange; ++later) {
        emit stepAvailable(later, text);
    }
}

} // namespace kolvane
