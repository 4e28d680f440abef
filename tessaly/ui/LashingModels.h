#pragma once
// The lashing grids' models: thin views over the rows the document owns.

#include "shell/ui/Grid.h"
#include "tessaly/core/LashingAdvance.h"
#include "tessaly/core/LashingAlternative.h"

namespace tessaly {

class TAdvancedGridModel : public shell::TGridModel {
    Q_OBJECT
public:
    TAdvancedGridModel(TAdvancedDocument& doc, QObject* parent = nullptr);

protected:
    int DataRowCount() const override;
    QVariant Cell(int row, int column) const override;
    void SetCell(int row, int column, const QVariant& value) override;
    void AppendDataRow() override;
    void RemoveDataRow(int row) override;

private:
    TAdvancedDocument& doc_;
};

class TAlternativeGridModel : public shell::TGridModel {
    Q_OBJECT
public:
    TAlternativeGridModel(TAlternativeDocument& doc, QObject* parent = nullptr);

protected:
    int DataRowCount() const override;
    QVariant Cell(int row, int column) const override;
    void SetCell(int row, int column, const QVariant& value) override;
    void AppendDataRow() override;
    void RemoveDataRow(int row) override;

private:
    TAlternativeDocument& doc_;
};

} // namespace tessaly
