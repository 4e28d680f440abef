#pragma once
// The worked example the GUI tests and the screenshot harness type into a Tessaly form:
// a 60 t unit in the lower hold of a 150 m ship, secured by chains on both sides.

#include "shell/ui/Grid.h"
#include "shell/ui/NumberEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace tessaly_test {

inline void SetNumber(QWidget* form, const char* name, double value)
{
    form->findChild<shell::TNumberEdit*>(name)->setValue(value);
}

inline void SetCell(shell::TGridModel* model, int row, const char* column, const QVariant& value)
{
    model->setData(model->index(row, model->ColumnByName(column)), value, Qt::EditRole);
}

// Types the particulars of the example into the form's controls, as a user would.
inline void FillParticulars(QWidget* form)
{
    form->findChild<QLineEdit*>("txtShipName")->setText("MV Example Trader");
    SetNumber(form, "txtShipLength", 150);
    SetNumber(form, "txtShipBreadth", 25);
    SetNumber(form, "txtShipSpeed", 15);
    SetNumber(form, "txtShipGM", 1.5);
    form->findChild<QLineEdit*>("txtCargoName")->setText("Transformer on skids");
    SetNumber(form, "txtCargoMass", 60);
    SetNumber(form, "txtCargoLength", 8);
    SetNumber(form, "txtCargoWidth", 3);
    SetNumber(form, "txtCargoHeight", 3);
    form->findChild<QComboBox*>("cmbVertical")->setCurrentIndex(1); // "Deck Low"
    SetNumber(form, "txtTippingArm", 1.5);
    SetNumber(form, "txtStableArm", 1.5);
    form->findChild<QLineEdit*>("txtRemarks")->setText("Skids welded to tank top");
}

// Advanced lashing rows: two chains per side, one each end on the diagonal.
inline void FillAdvancedRows(shell::TGridModel* model)
{
    const char* positions[] = {"PORT", "STBD", "PORT->FWD", "STBD->AFT", "FWD"};
    for (int row = 0; row < 5; ++row) {
        SetCell(model, row, "colPosition", positions[row]);
        SetCell(model, row, "colNumber", 2);
        SetCell(model, row, "colMSL", 100.0);
    }
    SetCell(model, 5, "colPosition", "AFT"); // typed into the new-row line
}

// Alternative lashing rows: starboard rows as created, two port rows added.
inline void FillAlternativeRows(shell::TGridModel* model)
{
    SetCell(model, 5, "colMSL", 120.0);
    SetCell(model, 6, "colHorizPos", "AFT");
    SetCell(model, 2, "colHorizPos", "AFT");
}

} // namespace tessaly_test
