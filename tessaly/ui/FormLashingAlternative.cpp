#include "FormLashingAlternative.h"

#include "tessaly/ui/LashingModels.h"

namespace tessaly {

TfrmAlternative::TfrmAlternative(QWidget* owner)
    : TfrmLashing(std::make_unique<TAlternativeDocument>(), "Alternative Method", owner)
{
    setObjectName("frmAlternative");
    // The footer line shows, without totals.
    Build(new TAlternativeGridModel(Alternative(), this));
}

TAlternativeDocument& TfrmAlternative::Alternative()
{
    return static_cast<TAlternativeDocument&>(Document());
}

} // namespace tessaly
