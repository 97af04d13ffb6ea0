// SPDX-License-Identifier: MIT
// The result window: the import's ADIS text (read where the session keeps it,
// never copied into a text widget: it may hold a million lines) and what can
// be done with it: save it as an ADIS file, build an automatic import from the
// setup, import it into the herd software. It follows the session's ADIS text.
#pragma once

#include <QWidget>
#include <memory>

namespace kolvane::converter {

struct ConverterContext;
class FindingsPanel;

namespace Ui {
class Resultado;
}

class Resultado final : public QWidget {
    Q_OBJECT
public:
    explicit Resultado(ConverterContext& context, QWidget* parent = nullptr);
    ~Resultado() override;

    // Saves the ADIS text, followed by one line end, to a file the user
    // chooses (replacing it atomically). False only when the user cancelled;
    // a file that cannot be written is named with the reason in a message.
    bool Guardar_ADIS();

signals:
    // "Build an Automatic Import" and "Import in Herdora": the workflow acts.
    void automaticImportRequested();
    void importRequested();

private:
    void showAdisText();
    // The ADIS line of a source table row, as the findings panel asks.
    void showValueLine(long row);

    ConverterContext& context_;
    std::unique_ptr<Ui::Resultado> ui_;
    FindingsPanel* findings_ = nullptr; // owned by the window
};

} // namespace kolvane::converter
