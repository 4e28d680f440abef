#include "FormLashingAdvance.h"

#include "tessaly/ui/LashingModels.h"
#include "shell/ui/Grid.h"

namespace tessaly {

TfrmAdvanced::TfrmAdvanced(QWidget* owner)
    : TfrmLashing(std::make_unique<TAdvancedDocument>(), "Advanced Method", owner)
{
    setObjectName("frmAdvanced");
    Build(new TAdvancedGridModel(Advanced(), this));
    // Footer: the number of lashings and the MSL total the calculation guard tests.
    const int numberColumn = GridModel()->ColumnByName("colNumber");
    const int mslColumn = GridModel()->ColumnByName("colMSL");
    Grid()->Footer()->Text = [this, numberColumn, mslColumn](int column) -> QString {
        if (column == numberColumn)
            return QString::number(Advanced().NumberTotal());
        if (column == mslColumn)
            return QString::fromStdString(FormatFixed(Advanced().MSLTotal(), 1));
        return {};
    };
}

TAdvancedDocument& TfrmAdvanced::Advanced()
{
    return static_cast<TAdvancedDocument&>(Document());
}

} // namespace tessaly
