// SPDX-License-Identifier: MIT
#include "runner/frmAutom.h"

#include "gui/FormLocaliser.h"
#include "ui_frmAutom.h"

#include <QLayout>
#include <algorithm>

namespace kolvane::runner {

frmAutom::frmAutom(const FormLocaliser& localiser, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmAutom>()) {
    ui_->setupUi(this);
    localiser.localise(*this);
    ui_->lbExplicacion->clear();
    ui_->cmbAutomatizaciones->setFocus();
    connect(ui_->cmbAutomatizaciones, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            emit entryChosen(ui_->cmbAutomatizaciones->itemData(index).toString());
        }
    });
    connect(ui_->OkButton, &QPushButton::clicked, this, &frmAutom::confirmed);
    connect(ui_->btnSearchFile, &QPushButton::clicked, this, &frmAutom::searchRequested);
    connect(ui_->Cancel, &QPushButton::clicked, this, &frmAutom::cancelled);
    // Closed by its frame or Escape: as Cancel, so the run never hangs unseen.
    connect(this, &QDialog::rejected, this, &frmAutom::cancelled);
}

frmAutom::~frmAutom() = default;

QString frmAutom::EntryName(const QString& path) {
    QString name = path.section(QLatin1Char('/'), -1);
    if (name.endsWith(QStringLiteral(".dst"), Qt::CaseInsensitive) && name.size() > 4) {
        name.chop(4);
    }
    return name;
}

void frmAutom::setEntries(const QStringList& paths, int chosen, const QString& emptyNote) {
    QComboBox& list = *ui_->cmbAutomatizaciones;
    const QSignalBlocker quiet(list);
    list.clear();
    for (const QString& path : paths) {
        list.addItem(EntryName(path), path);
        list.setItemData(list.count() - 1, path, Qt::ToolTipRole);
    }
    list.setCurrentIndex(paths.isEmpty() ? -1 : std::clamp(chosen, 0, int(paths.size()) - 1));
    list.setToolTip(list.currentData().toString());
    const bool none = paths.isEmpty();
    list.setVisible(!none);
    ui_->lblLista->setVisible(!none);
    ui_->lblExplicacionTitulo->setVisible(!none);
    ui_->OkButton->setVisible(!none);
    ui_->btnSearchFile->setDefault(none);
    if (none) {
        ui_->lbExplicacion->setText(emptyNote);
        ui_->lbExplicacion->setMinimumHeight(0);
        ui_->btnSearchFile->setFocus();
        // The note and its button, without the list's room.
        const int shownWidth = std::max(width(), 480);
        resize(shownWidth, layout()->totalHeightForWidth(shownWidth));
    }
}

void frmAutom::setExplanation(const QString& text) {
    ui_->lbExplicacion->setText(text);
    ui_->cmbAutomatizaciones->setToolTip(ui_->cmbAutomatizaciones->currentData().toString());
}

QString frmAutom::chosenSetup() const {
    const QComboBox& list = *ui_->cmbAutomatizaciones;
    const QString typed = list.currentText().trimmed();
    // A name as the list shows it stands for its registered path; any other
    // text is taken as a path.
    if (const int index = list.currentIndex(); index >= 0 && typed == list.itemText(index)) {
        return list.itemData(index).toString(); // two imports may share a name
    }
    if (const int match = list.findText(typed); match >= 0) {
        return list.itemData(match).toString();
    }
    return typed;
}

} // namespace kolvane::runner
