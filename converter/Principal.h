// SPDX-License-Identifier: MIT
// The columns and codes window: for every column of the split source the user
// gives the code of the code dictionary it carries (typed, or taken from the
// code list), its width and decimals, whether it holds dates or times, the
// decimal separator and correction factor of its numbers, or marks it as not
// imported. Every edit goes to the session's column table; Finalizar fits the
// table to the source, checks the index codes and hands over to the workflow.
#pragma once

#include "engine/ImportSetup.h"
#include "herdlink/CodeDictionary.h"

#include <QWidget>

class QLineEdit;
#include <memory>

namespace kolvane::converter {

struct ConverterContext;
class frmCodigos;
class SourcePreviewModel;

namespace Ui {
class Principal;
}

class Principal final : public QWidget {
    Q_OBJECT
public:
    // Built for the session's current source table; `codeList` is the code
    // list that Seleccionar_Codigo opens. Neither it nor the context may go
    // before the window.
    Principal(ConverterContext& context, frmCodigos& codeList, QWidget* parent = nullptr);
    ~Principal() override;

    // The source column shown in the controls and painted green (1-based).
    int currentColumn() const { return current_; }
    // Stores the current column and shows `column` (as a click in the grid).
    void showColumn(int column);

signals:
    // Finalizar: the column table is complete and its index codes checked (or
    // the user chose to go on); the ADIS text may be built.
    void finished();

private:
    void connectControls();
    void showSource();
    void sourceChanged();
    ColumnDefinition storedColumn(int column) const;
    void writeColumn(int column, const ColumnDefinition& definition);
    void storeCurrentColumn();
    void restoreColumnData();
    void restoreFactor(const ColumnDefinition& definition);
    void moveTo(int column);

    void checkMnemonic();
    void takeCode(const CodeRow& code);
    void applyCode(const CodeRow& code);
    void applyTypeChecks(int type);
    void enableForType(int type);
    void clearCode(bool typedMnemonic, bool sizes);
    int dataTypeOf(const std::string& mnemonic);
    void warn(const QString& text);
    struct SizeRule {
        long long lowest;
        long long highest;
        int refused; // the message when the typed value is outside them
    };
    void takeSize(QLineEdit& box, const std::string& recommended, const SizeRule& rule,
                  std::string& value);

    void noImport();
    void dateClicked(bool checked);
    void timeClicked(bool checked);
    void separatorClicked(bool checked);
    void separatorTextChanged(const QString& text);
    void factorTextChanged(const QString& text);
    void setSeparatorChecked(bool checked);
    void turnSeparatorOff();
    void resetSeparator();
    void updateSeparatorControls();
    void dropCorrectionFactor();
    void finish();

    ConverterContext& context_;
    frmCodigos& codeList_;
    std::unique_ptr<Ui::Principal> ui_;
    SourcePreviewModel* preview_;
    CodeDictionary dictionary_;
    int current_ = 1;
    bool storing_ = true; // cleared while No_Importar moves past its cleared entry
    bool dictionaryErrorShown_ = false;
};

} // namespace kolvane::converter
