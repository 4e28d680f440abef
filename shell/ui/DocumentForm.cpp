#include "DocumentForm.h"

#include <QStackedLayout>

namespace shell {

TDocumentForm::TDocumentForm(QWidget* owner) : QWidget(owner)
{
    hide();
}

void TDocumentForm::Execute(QWidget* parent)
{
    setParent(parent);
    setWindowFlags(Qt::Widget); // no border: the form is part of the main window
    // The main window hands its client host, a stack whose current page fills the area
    // between the command bar and the status bar; the form goes in front of pnlMain.
    if (parent) {
        if (auto* stack = qobject_cast<QStackedLayout*>(parent->layout())) {
            stack->addWidget(this);
            stack->setCurrentWidget(this);
        }
    }
    show();
}

} // namespace shell
