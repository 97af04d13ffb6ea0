// SPDX-License-Identifier: MIT
// The ASCII file window: the import's source file as plain text, in a view
// that reads only the lines on screen (an export of a million lines opens at
// once). Its caption is the file's path; a file that cannot be read is named
// with the reason instead of an empty window. Its menu offers the conversion
// (the workflow shows the setup window) and closing the window; the window
// arrangement and help menus are the main window's.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

namespace kolvane {
class LargeTextView;
}

namespace kolvane::converter {

struct ConverterContext;

namespace Ui {
class frmFicheros;
}

class frmFicheros final : public QWidget {
    Q_OBJECT
public:
    // Shows context.session.setup().SourceFilePath, and the next source file
    // whenever the session's changes.
    explicit frmFicheros(ConverterContext& context, QWidget* parent = nullptr);
    ~frmFicheros() override;

    // The file shown (an engine path).
    const std::string& shownFile() const { return shownFile_; }
    // Why the file is not shown, naming it; "" while it is shown.
    QString problem() const;

signals:
    // "Convert to ADIS": the workflow shows the setup window.
    void convertRequested();

private:
    void showSourceFile();
    void sourceMayHaveChanged();

    ConverterContext& context_;
    std::unique_ptr<Ui::frmFicheros> ui_;
    std::string shownFile_;
};

} // namespace kolvane::converter
