// SPDX-License-Identifier: MIT
// The import session: owns the program's one ImportSetup, runs the use cases
// on it and tells the windows what changed, so that no window keeps a copy of
// import data and none reaches into another. Long use cases run as jobs on a
// copy of the setup: the copy becomes the setup when the job succeeds, and a
// cancelled or failed job leaves the setup as it was. While a job holds the
// setup the session is busy, and the windows that could change it are
// disabled (they observe busyChanged).
#pragma once

#include "engine/EngineContext.h"
#include "engine/ImportSetup.h"
#include "engine/SourceRows.h"
#include "gui/JobRunner.h"
#include "storage/OpenDst.h"

#include <QObject>
#include <memory>

namespace kolvane {

// The eight steps of the converter's workflow, as the step toolbar numbers them.
namespace step {
inline constexpr int Ascii = 1;
inline constexpr int Setup = 2;
inline constexpr int FixedColumns = 3;
inline constexpr int CodesAndColumns = 4;
inline constexpr int AdisFile = 5;
inline constexpr int ToHerdSoftware = 6;
inline constexpr int BuildAutomaticImport = 7;
inline constexpr int OpenDataExchange = 8;
} // namespace step

class ImportSession final : public QObject {
    Q_OBJECT
public:
    // What a job changes besides the settings, so that the right signals follow.
    struct Changes {
        bool sourceTable = false; // the job builds a new source table
        bool columnTable = false;
        bool adisText = false;
        bool readsSourceTable = false; // the job reads the current source table
    };

    ImportSession(const Language& language, GuiPort& port, const Clock& clock,
                  QObject* parent = nullptr);

    const ImportSetup& setup() const { return setup_; }
    bool busy() const { return jobs_.busy(); }
    JobRunner& jobs() { return jobs_; }
    // The engine's context for work on the window thread.
    EngineContext context();

    // Opens a DST into the setup; on failure the setup stays as it was.
    Status openDst(const std::string& path, const DstOpening& opening = {});
    void setSourceFile(const std::string& path);
    void setSendDate(const std::string& sendDate);
    void setColumnTable(ColumnTable columns);
    // Applies what a window collected to the settings; refused (false) while a
    // job holds the setup.
    bool changeSettings(const std::function<void(ImportSetup&)>& change);
    // Today's date in the setup's date pattern.
    void useTodayAsSendDate();
    // Back to the defaults (closing the import process).
    void reset();

    // Splits (or cuts, for fixed columns) the source file into the source
    // table; `done` gets the reader's outcome, or nothing when cancelled.
    bool splitSource(std::function<void(std::optional<SourceReadResult>)> done);
    // Builds the ADIS text from the source table and the column table; the code
    // dictionary at `codeDictionaryPath` tells which codes hold numbers.
    bool buildAdisText(std::function<void(std::optional<Status>)> done,
                       const std::string& codeDictionaryPath = {});

    // Runs `work(ImportSetup& copy, const EngineContext&)` as a job on a copy
    // of the settings and the column table. The source table and the ADIS text
    // are large: the copy starts without them, unless `changes.readsSourceTable`
    // lends it the source table (given back when the job fails). On success
    // (`succeeded(result)`) the copy's settings, column table and the tables
    // that `changes` names become the setup's, and the changes are told.
    template <typename Work, typename Succeeded, typename Done>
    bool runJob(Changes changes, Work work, Succeeded succeeded, Done done) {
        if (busy()) {
            return false;
        }
        auto copy = std::make_shared<ImportSetup>(copyForJob(changes));
        return jobs_.start(
            [this, copy, work = std::move(work)](JobControl& control) mutable {
                const EngineContext jobContext{language_, port_, numbers_, clock_,
                                               &control.stopFlag()};
                return work(*copy, jobContext);
            },
            [this, copy, changes, succeeded = std::move(succeeded),
             done = std::move(done)](auto result) mutable {
                finishJob(std::move(*copy), changes, result && succeeded(*result));
                done(std::move(result));
            });
    }

signals:
    void setupChanged();
    void sourceTableChanged();
    void columnTableChanged();
    void adisTextChanged();
    // A step of the workflow has (or no longer has) what it needs.
    void stepAvailable(int step, bool available);
    void busyChanged(bool busy);

private:
    ImportSetup copyForJob(Changes changes);
    void finishJob(ImportSetup&& copy, Changes changes, bool succeeded);
    void announce(Changes changes);

    const Language& language_;
    GuiPort& port_;
    const Clock& clock_;
    NumberFormat numbers_;
    JobRunner jobs_;
    ImportSetup setup_;
};

} // namespace kolvane
