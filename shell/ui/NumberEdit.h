#pragma once
// A number editor that always shows its display format, also while it is edited
// ("12.50 m"), and is never empty: a cleared field reads and shows 0. Numbers use "."
// whatever the user's locale.

#include <QDoubleSpinBox>

#include <optional>

namespace shell {

class TNumberEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    // unit: "m", "kt", "t" or empty; minimum: none for values that may be negative.
    TNumberEdit(int decimals, const QString& unit, std::optional<double> minimum, QWidget* parent = nullptr);

    // Sets the value without announcing it (loading a document).
    void SetValueQuietly(double value);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    double valueFromText(const QString& text) const override;
    void fixup(QString& text) const override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QString Stripped(const QString& text) const;
};

} // namespace shell
