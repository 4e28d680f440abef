#include "Grid.h"

#include "NumberEdit.h"
#include "Platform.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace shell {

// ---------------------------------------------------------------------------------------
// Model

TGridModel::TGridModel(std::vector<TColumnSpec> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns))
{
}

int TGridModel::ColumnByName(const QString& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].Name == name)
            return static_cast<int>(i);
    return -1;
}

int TGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : DataRowCount() + (growing_ ? 2 : 1);
}

int TGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString TGridModel::FormatValue(int column, const QVariant& value) const
{
    if (!value.isValid() || column < 0 || column >= columnCount())
        return {};
    const TColumnSpec& c = columns_[column];
    switch (c.Kind) {
    case TColumnKind::Number:
    case TColumnKind::Computed: {
        double v = value.toDouble();
        if (!std::isfinite(v))
            return {};
        QString s = QString::number(v, 'f', c.Decimals);
        // No "-0.0" for a value that rounds to zero.
        if (s.startsWith('-') && s.mid(1).remove('0').remove('.').isEmpty())
            s.remove(0, 1);
        return s;
    }
    case TColumnKind::Spin:
        return QString::number(value.toInt());
    default:
        return value.toString();
    }
}

QVariant TGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const TColumnSpec& c = columns_[index.column()];
    bool newRow = index.row() >= DataRowCount();
    switch (role) {
    case Qt::DisplayRole:
        return newRow ? QVariant() : QVariant(FormatValue(index.column(), Cell(index.row(), index.column())));
    case Qt::EditRole:
        return newRow ? QVariant() : Cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (c.Kind == TColumnKind::Number || c.Kind == TColumnKind::Computed || c.Kind == TColumnKind::Spin)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (c.Kind == TColumnKind::Computed)
            return QApplication::palette().button();
        return {};
    case Qt::ForegroundRole:
        // Computed cells are not enabled (so they cannot take the focus) but read as
        // ordinary text.
        if (c.Kind == TColumnKind::Computed)
            return QApplication::palette().buttonText();
        return {};
    default:
        return {};
    }
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    int row = index.row();
    if (row == DataRowCount()) {
        // The new-row line becomes the new document row (any editor on it stays with
        // it) and a fresh new-row line appears below: first the line is announced
        // while it is still empty, then the row takes its defaults.
        beginInsertRows({}, row + 1, row + 1);
        growing_ = true;
        endInsertRows();
        growing_ = false;
        AppendDataRow();
        emit headerDataChanged(Qt::Vertical, row, row + 1);
    }
    SetCell(row, index.column(), value);
    emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    emit CellEdited(row, index.column());
    return true;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return columns_[section].Header;
        if (role == Qt::ToolTipRole)
            return columns_[section].Hint;
        return {};
    }
    if (section < 0 || section >= rowCount())
        return {};
    // The indicator column: "*" marks the new-row line, a triangle the current row.
    if (role == Qt::DisplayRole) {
        if (section >= DataRowCount())
            return QString("*");
        return section == currentRow_ ? QString::fromUtf8("\u25B6") : QString();
    }
    if (role == Qt::ToolTipRole && section >= DataRowCount())
        return QString("Type into this row to add a lashing");
    return {};
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (columns_[index.column()].Kind == TColumnKind::Computed)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TGridModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count <= 0 || row < 0 || row + count > DataRowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        RemoveDataRow(row);
    endRemoveRows();
    return true;
}

void TGridModel::SetCurrentRow(int row)
{
    if (row == currentRow_)
        return;
    int old = currentRow_;
    currentRow_ = row;
    for (int r : {old, row})
        if (r >= 0 && r < rowCount())
            emit headerDataChanged(Qt::Vertical, r, r);
}

void TGridModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void TGridModel::RefreshAll()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// ---------------------------------------------------------------------------------------
// Editors

namespace {

const TColumnSpec* SpecOf(const QModelIndex& index)
{
    auto* model = qobject_cast<const TGridModel*>(index.model());
    if (!model || index.column() < 0 || index.column() >= model->columnCount())
        return nullptr;
    return &model->Columns()[index.column()];
}

// Marks the editor as changed by the user and posts the change at once.
void Post(TGridDelegate* delegate, QWidget* editor)
{
    editor->setProperty("userEdited", true);
    emit delegate->commitData(editor);
}

} // namespace

QWidget* TGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    const TColumnSpec* columnDef = SpecOf(index);
    if (!columnDef)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* self = const_cast<TGridDelegate*>(this);
    QWidget* editor = nullptr;
    switch (columnDef->Kind) {
    case TColumnKind::List: {
        auto* combo = new QComboBox(parent);
        combo->addItems(columnDef->Items);
        connect(combo, &QComboBox::activated, self, [self, combo] { Post(self, combo); });
        editor = combo;
        break;
    }
    case TColumnKind::Spin: {
        auto* spin = new QSpinBox(parent);
        spin->setRange(columnDef->Min, columnDef->Max);
        spin->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        connect(spin, &QSpinBox::valueChanged, self, [self, spin] { Post(self, spin); });
        editor = spin;
        break;
    }
    case TColumnKind::Number: {
        auto* number = new TNumberEdit(columnDef->Decimals, {}, 0.0, parent);
        connect(number, &QDoubleSpinBox::valueChanged, self, [self, number] { Post(self, number); });
        editor = number;
        break;
    }
    case TColumnKind::Text: {
        auto* line = new QLineEdit(parent);
        connect(line, &QLineEdit::textEdited, self, [self, line] { Post(self, line); });
        editor = line;
        break;
    }
    case TColumnKind::Computed:
        return nullptr;
    }
    editor->setAutoFillBackground(true);
    return editor;
}

void TGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    QVariant value = index.data(Qt::EditRole);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        QSignalBlocker block(combo);
        combo->setCurrentIndex(combo->findText(value.toString(), Qt::MatchExactly));
    } else if (auto* number = qobject_cast<TNumberEdit*>(editor)) {
        // The posted edit coming back must not reformat the text being typed.
        if (!number->property("userEdited").toBool() || number->value() != value.toDouble())
            number->SetValueQuietly(value.toDouble());
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        QSignalBlocker block(spin);
        if (spin->value() != value.toInt())
            spin->setValue(value.toInt());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // Keep the cursor where the user is typing when the posted edit comes back.
        if (line->text() != value.toString())
            line->setText(value.toString());
    }
}

void TGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QVariant value;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() < 0)
            return;
        value = combo->currentText();
    } else if (auto* number = qobject_cast<TNumberEdit*>(editor)) {
        // No interpretText(): it would reformat the text under the user's cursor; the
        // value follows every key already.
        value = number->value();
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        value = spin->value();
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        value = line->text();
    } else {
        return;
    }
    // Posting the same value again (closing an editor) is not an edit, and passing
    // through the new-row line without typing appends nothing.
    auto* grid = qobject_cast<TGridModel*>(model);
    bool newRowLine = grid && index.row() >= grid->NewRowLine();
    if (newRowLine ? !editor->property("userEdited").toBool() : index.data(Qt::EditRole) == value)
        return;
    model->setData(index, value, Qt::EditRole);
}

// ---------------------------------------------------------------------------------------
// Footer and view

TGridFooter::TGridFooter(QTableView* view) : QWidget(view), view_(view)
{
    setObjectName("gridFooter");
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void TGridFooter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    p.setPen(palette().color(QPalette::ButtonText));
    QHeaderView* header = view_->horizontalHeader();
    int offset = view_->verticalHeader()->isVisible() ? view_->verticalHeader()->width() : 0;
    for (int c = 0; c < header->count(); ++c) {
        QString text = TextOf(c);
        if (text.isEmpty())
            continue;
        int x = offset + header->sectionViewportPosition(c);
        QRect cell(x + 4, 1, header->sectionSize(c) - 8, height() - 2);
        p.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

TGridView::TGridView(QWidget* parent) : QTableView(parent), footer_(new TGridFooter(this))
{
    setItemDelegate(new TGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Typing starts an edit; the arrow keys move between rows instead of spinning values.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setAlternatingRowColors(false);
    setWordWrap(false);
    // The first column (the free text) takes what the others leave, so the columns
    // always fill the width.
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    // Headers wrap onto two lines rather than being cut off in narrow columns.
    horizontalHeader()->setFixedHeight(fontMetrics().height() * 2 + 10);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance("MM") + 6);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setViewportMargins(0, 0, 0, fontMetrics().height() + 8);
}

void TGridView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    if (auto* grid = qobject_cast<TGridModel*>(model)) {
        connect(selectionModel(), &QItemSelectionModel::currentChanged, grid,
                [grid](const QModelIndex& current) { grid->SetCurrentRow(current.isValid() ? current.row() : -1); });
        QHeaderView* header = horizontalHeader();
        QFontMetrics fm = fontMetrics();
        for (int c = 0; c < grid->columnCount(); ++c) {
            const TColumnSpec& columnDef = grid->Columns()[c];
            if (c == 0) {
                header->setSectionResizeMode(c, QHeaderView::Stretch);
                continue;
            }
            header->setSectionResizeMode(c, QHeaderView::Interactive);
            // Wide enough for the column's values and the longest word of its header.
            int width = 0;
            switch (columnDef.Kind) {
            case TColumnKind::Spin: width = fm.horizontalAdvance("200") + 28; break;
            case TColumnKind::Number:
            case TColumnKind::Computed: width = fm.horizontalAdvance("000.00") + 14; break;
            case TColumnKind::List:
                for (const QString& item : columnDef.Items)
                    width = std::max(width, fm.horizontalAdvance(item) + 34);
                break;
            case TColumnKind::Text: width = fm.horizontalAdvance("Class 1 chain") + 12; break;
            }
            width = std::max(width, fm.horizontalAdvance(columnDef.Header) + 14);
            header->resizeSection(c, width);
        }
    }
    auto repaint = [this] { footer_->update(); };
    connect(model, &QAbstractItemModel::dataChanged, footer_, repaint);
    connect(model, &QAbstractItemModel::rowsInserted, footer_, repaint);
    connect(model, &QAbstractItemModel::rowsRemoved, footer_, repaint);
    connect(model, &QAbstractItemModel::modelReset, footer_, repaint);
    connect(horizontalHeader(), &QHeaderView::sectionResized, footer_, repaint);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, footer_, repaint);
}

void TGridView::updateGeometries()
{
    // The table keeps its headers in the viewport margins and resets them here; the
    // footer line takes a bottom margin of its own below the rows.
    QTableView::updateGeometries();
    int h = fontMetrics().height() + 8;
    QMargins m = viewportMargins();
    if (m.bottom() != h) {
        m.setBottom(h);
        setViewportMargins(m);
    }
    QRect vp = viewport()->geometry();
    footer_->setGeometry(frameWidth(), vp.bottom() + 1, width() - 2 * frameWidth(), h);
    footer_->raise();
}

bool TGridView::DeleteCurrentRow()
{
    auto* grid = qobject_cast<TGridModel*>(model());
    QModelIndex current = currentIndex();
    if (!grid || !current.isValid() || current.row() >= grid->NewRowLine())
        return false;
    if (Platform().MessageBox("", "Delete record?", TMsgType::Confirmation, TMsgButtons::OKCancel) !=
        TMsgResult::OK)
        return false;
    int row = current.row();
    if (state() == QAbstractItemView::EditingState)
        closePersistentEditor(current);
    grid->removeRows(row, 1);
    emit RowDeleted(row);
    return true;
}

void TGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        DeleteCurrentRow();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TGridView::contextMenuEvent(QContextMenuEvent* event)
{
    QModelIndex index = indexAt(viewport()->mapFrom(this, event->pos()));
    auto* grid = qobject_cast<TGridModel*>(model());
    if (!grid || !index.isValid() || index.row() >= grid->NewRowLine())
        return;
    setCurrentIndex(index.siblingAtColumn(0));
    QMenu menu(this);
    QAction* del = menu.addAction("Delete Row");
    del->setShortcut(QKeySequence("Ctrl+Del"));
    if (menu.exec(event->globalPos()) == del)
        DeleteCurrentRow();
}

} // namespace shell
