#pragma once
// A flat grid over a table the document owns: typed columns with their editors, a
// new-row line at the bottom for appending rows, row deletion, read-only computed
// columns on the button-face colour, and a footer line with per-column totals.

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>
#include <vector>

namespace shell {

enum class TColumnKind {
    Text,     // free text
    List,     // fixed list of texts (Items)
    Spin,     // whole number between Min and Max
    Number,   // fixed-point number with Decimals, at least 0, never empty
    Computed, // number written by the calculation; cannot be edited or focused
};

struct TColumnSpec {
    QString Name;     // "colType": the column's name for tools and tests
    QString Header;   // "Class / Type"
    QString Hint;     // header tool tip
    TColumnKind Kind = TColumnKind::Text;
    QStringList Items;
    int Min = 0;
    int Max = 200;
    int Decimals = 1;
};

// The model a grid shows: the document's rows plus one new-row line. Editing a cell of
// the new-row line appends a row with its defaults first. Cells without a value are an
// invalid QVariant and show empty.
class TGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TGridModel(std::vector<TColumnSpec> columns, QObject* parent = nullptr);

    const std::vector<TColumnSpec>& Columns() const { return columns_; }
    int ColumnByName(const QString& name) const;
    // Row index of the new-row line (= the number of document rows).
    int NewRowLine() const { return DataRowCount(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // The row the indicator column marks as current.
    void SetCurrentRow(int row);

    // The document changed as a whole (opened, new) or in its computed cells.
    void Reload();
    void RefreshAll();

    // Display text of a cell value in its column's format.
    QString FormatValue(int column, const QVariant& value) const;

signals:
    // A cell was edited by the user (after the row was appended, for the new-row line).
    void CellEdited(int row, int column);

protected:
    virtual int DataRowCount() const = 0;
    virtual QVariant Cell(int row, int column) const = 0;
    virtual void SetCell(int row, int column, const QVariant& value) = 0;
    virtual void AppendDataRow() = 0;
    virtual void RemoveDataRow(int row) = 0;

private:
    std::vector<TColumnSpec> columns_;
    bool growing_ = false; // a second new-row line is being announced
    int currentRow_ = -1;
};

// Editors of the column kinds; every change is posted at once.
class TGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

// The footer line below the rows: one text per column, aligned with the columns.
class TGridFooter : public QWidget {
    Q_OBJECT
public:
    explicit TGridFooter(QTableView* view);
    std::function<QString(int column)> Text;
    QString TextOf(int column) const { return Text ? Text(column) : QString(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* view_;
};

class TGridView : public QTableView {
    Q_OBJECT
public:
    explicit TGridView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    TGridFooter* Footer() const { return footer_; }

    // Deletes the current document row after the user confirms; true when deleted.
    bool DeleteCurrentRow();

signals:
    void RowDeleted(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TGridFooter* footer_;
};

} // namespace shell
