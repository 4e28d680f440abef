#pragma once
// TfrmAdvanced: the document form of the advanced calculation method.

#include "tessaly/ui/FormLashing.h"
#include "tessaly/core/LashingAdvance.h"

namespace tessaly {

class TfrmAdvanced : public TfrmLashing {
    Q_OBJECT
public:
    explicit TfrmAdvanced(QWidget* owner = nullptr);
    TAdvancedDocument& Advanced();
};

} // namespace tessaly
