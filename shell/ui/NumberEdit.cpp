#include "NumberEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace shell {

namespace {
// Far beyond any ship or cargo, small enough to keep the field readable.
constexpr double MaxMagnitude = 999999999.0;
} // namespace

TNumberEdit::TNumberEdit(int decimals, const QString& unit, std::optional<double> minimum, QWidget* parent)
    : QDoubleSpinBox(parent)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(c);
    setDecimals(decimals);
    if (!unit.isEmpty())
        setSuffix(" " + unit);
    setRange(minimum.value_or(-MaxMagnitude), MaxMagnitude);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setFocusPolicy(Qt::StrongFocus); // the wheel never changes a value the user is not editing
    setValue(0);
}

void TNumberEdit::SetValueQuietly(double value)
{
    QSignalBlocker block(this);
    setValue(value);
}

QString TNumberEdit::Stripped(const QString& text) const
{
    QString t = text;
    if (!suffix().isEmpty() && t.endsWith(suffix()))
        t.chop(suffix().size());
    else if (!suffix().isEmpty() && t.endsWith(suffix().trimmed()))
        t.chop(suffix().trimmed().size());
    return t.trimmed();
}

QValidator::State TNumberEdit::validate(QString& text, int& pos) const
{
    // An emptied field stands for 0 and is accepted as such.
    if (Stripped(text).isEmpty())
        return QValidator::Acceptable;
    return QDoubleSpinBox::validate(text, pos);
}

double TNumberEdit::valueFromText(const QString& text) const
{
    QString t = Stripped(text);
    if (t.isEmpty())
        return 0;
    return QDoubleSpinBox::valueFromText(text);
}

void TNumberEdit::fixup(QString& text) const
{
    if (Stripped(text).isEmpty()) {
        text = textFromValue(0) + suffix();
        return;
    }
    QDoubleSpinBox::fixup(text);
}

void TNumberEdit::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QDoubleSpinBox::wheelEvent(event);
    else
        event->ignore();
}

} // namespace shell
