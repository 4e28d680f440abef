#pragma once
// TfrmAlternative: the document form of the alternative method (balance of forces).

#include "tessaly/ui/FormLashing.h"
#include "tessaly/core/LashingAlternative.h"

namespace tessaly {

class TfrmAlternative : public TfrmLashing {
    Q_OBJECT
public:
    explicit TfrmAlternative(QWidget* owner = nullptr);
    TAlternativeDocument& Alternative();
};

} // namespace tessaly
