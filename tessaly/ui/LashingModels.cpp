#include "LashingModels.h"

#include <optional>

namespace tessaly {

namespace {

using shell::TColumnKind;
using shell::TColumnSpec;

const QString Alpha = QString::fromUtf8("\u03B1 [\u00B0]");
const QString Beta = QString::fromUtf8("\u03B2 [\u00B0]");

QStringList ToQt(const std::vector<std::string>& list)
{
    QStringList out;
    for (const std::string& s : list)
        out << QString::fromStdString(s);
    return out;
}

TColumnSpec Column(QString name, QString header, QString hint, TColumnKind kind, int decimals = 1,
                   QStringList items = {})
{
    TColumnSpec c;
    c.Name = std::move(name);
    c.Header = std::move(header);
    c.Hint = std::move(hint);
    c.Kind = kind;
    c.Decimals = decimals;
    c.Items = std::move(items);
    c.Min = 0;
    c.Max = 200;
    return c;
}

template <typename T>
QVariant Value(const std::optional<T>& v)
{
    if (!v)
        return {};
    if constexpr (std::is_same_v<T, std::string>)
        return QString::fromStdString(*v);
    else
        return QVariant::fromValue(*v);
}

void Assign(std::optional<std::string>& field, const QVariant& v)
{
    if (v.isValid()) field = v.toString().toStdString(); else field.reset();
}
void Assign(std::optional<int>& field, const QVariant& v)
{
    if (v.isValid()) field = v.toInt(); else field.reset();
}
void Assign(std::optional<double>& field, const QVariant& v)
{
    if (v.isValid()) field = v.toDouble(); else field.reset();
}

enum AdvancedColumn { aType, aPosition, aNumber, aMSL, aVerticalAngle, aLeverArm };
enum AlternativeColumn { bType, bMSL, bAlpha, bVertPos, bBeta, bHorizPos, bLeverArm, bFy, bCSFy, bFx, bCSFx };

} // namespace

TAdvancedGridModel::TAdvancedGridModel(TAdvancedDocument& doc, QObject* parent)
    : shell::TGridModel(
          {Column("colType", "Class / Type", "Class / Type", TColumnKind::Text),
           Column("colPosition", "Position", "Position", TColumnKind::List, 0, ToQt(AdvancedPositionList())),
           Column("colNumber", "Number", "Number of lashings", TColumnKind::Spin),
           Column("colMSL", "MSL [ kN ]", "Maximum Securing Load (for one lashing)", TColumnKind::Number, 1),
           Column("colVerticalAngle", Alpha, "Vertical angle", TColumnKind::Spin),
           Column("colLeverArm", "c [ m ]", "Lever arm of securing force", TColumnKind::Number, 1)},
          parent),
      doc_(doc)
{
}

int TAdvancedGridModel::DataRowCount() const
{
    return doc_.RowCount();
}

QVariant TAdvancedGridModel::Cell(int row, int column) const
{
    const TAdvancedLashing& r = doc_.Lashings[row];
    switch (column) {
    case aType: return Value(r.Type);
    case aPosition: return Value(r.Position);
    case aNumber: return Value(r.Number);
    case aMSL: return Value(r.MSL);
    case aVerticalAngle: return Value(r.VerticalAngle);
    case aLeverArm: return Value(r.LeverArm);
    }
    return {};
}

void TAdvancedGridModel::SetCell(int row, int column, const QVariant& value)
{
    TAdvancedLashing& r = doc_.Lashings[row];
    switch (column) {
    case aType: Assign(r.Type, value); break;
    case aPosition: Assign(r.Position, value); break;
    case aNumber: Assign(r.Number, value); break;
    case aMSL: Assign(r.MSL, value); break;
    case aVerticalAngle: Assign(r.VerticalAngle, value); break;
    case aLeverArm: Assign(r.LeverArm, value); break;
    }
}

void TAdvancedGridModel::AppendDataRow()
{
    doc_.Lashings.push_back(AdvancedNewRow());
}

void TAdvancedGridModel::RemoveDataRow(int row)
{
    doc_.Lashings.erase(doc_.Lashings.begin() + row);
}

TAlternativeGridModel::TAlternativeGridModel(TAlternativeDocument& doc, QObject* parent)
    : shell::TGridModel(
          {Column("colType", "Class / Type", "Class / Type", TColumnKind::Text),
           Column("colMSL", "MSL [kN]", "Maximum Securing Load", TColumnKind::Number, 2),
           Column("colAlpha", Alpha, "Vertical angle", TColumnKind::Spin),
           Column("colVertPos", "Vert.Pos.", "Vertical position", TColumnKind::List, 0,
                  ToQt(AlternativeSideList())),
           Column("colBeta", Beta, "Horizontal angle", TColumnKind::Spin),
           Column("colHorizPos", "Horiz.Pos.", "Horizontal position", TColumnKind::List, 0,
                  ToQt(AlternativeEndList())),
           Column("colLeverArm", "c [m]", "Lever arm of securing force", TColumnKind::Number, 2),
           Column("colFy", "fy", "Coefficient fy", TColumnKind::Computed, 2),
           Column("colCSFy", "CS*fy", "CS * fy", TColumnKind::Computed, 2),
           Column("colFx", "fx", "Coefficient fx", TColumnKind::Computed, 2),
           Column("colCSFx", "CS*fx", "CS * fx", TColumnKind::Computed, 2)},
          parent),
      doc_(doc)
{
}

int TAlternativeGridModel::DataRowCount() const
{
    return doc_.RowCount();
}

QVariant TAlternativeGridModel::Cell(int row, int column) const
{
    const TAlternativeLashing& r = doc_.Lashings[row];
    switch (column) {
    case bType: return Value(r.Type);
    case bMSL: return Value(r.MSL);
    case bAlpha: return Value(r.Alpha);
    case bVertPos: return Value(r.VertPos);
    case bBeta: return Value(r.Beta);
    case bHorizPos: return Value(r.HorizPos);
    case bLeverArm: return Value(r.LeverArm);
    case bFy: return Value(r.Fy);
    case bCSFy: return Value(r.CSFy);
    case bFx: return Value(r.Fx);
    case bCSFx: return Value(r.CSFx);
    }
    return {};
}

void TAlternativeGridModel::SetCell(int row, int column, const QVariant& value)
{
    TAlternativeLashing& r = doc_.Lashings[row];
    switch (column) {
    case bType: Assign(r.Type, value); break;
    case bMSL: Assign(r.MSL, value); break;
    case bAlpha: Assign(r.Alpha, value); break;
    case bVertPos: Assign(r.VertPos, value); break;
    case bBeta: Assign(r.Beta, value); break;
    case bHorizPos: Assign(r.HorizPos, value); break;
    case bLeverArm: Assign(r.LeverArm, value); break;
    default: break; // computed cells are the calculation's
    }
}

void TAlternativeGridModel::AppendDataRow()
{
    doc_.Lashings.push_back(AlternativeNewRow());
}

void TAlternativeGridModel::RemoveDataRow(int row)
{
    doc_.Lashings.erase(doc_.Lashings.begin() + row);
}

} // namespace tessaly
