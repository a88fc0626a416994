#include "accessiblegrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

QHash<const QObject*, const GridDescription*>& described() {
    static QHash<const QObject*, const GridDescription*> grids;
    return grids;
}

class GridCell;

// The grid widget as a table. Cells are made on demand and kept, so a screen reader gets the
// same object for the same cell; they go with the table.
class GridTable final : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    GridTable(QWidget* widget, const GridDescription* description)
        : QAccessibleWidget(widget, QAccessible::Table), description_(description) {}
    ~GridTable() override;

    const GridDescription& description() const { return *description_; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return description_->gridName();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return cellAt(index / columnCount(), index % columnCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override {
        const int r = description_->focusRow(), c = description_->focusColumn();
        return r >= 0 ? cellAt(r, c) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override;
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (int r = 0; r < rowCount(); ++r)
            for (int c = 0; c < columnCount(); ++c)
                if (description_->cellSelected(r, c)) cells << cellAt(r, c);
        return cells;
    }
    QString columnDescription(int column) const override {
        return QStringLiteral("Column %1").arg(column + 1);
    }
    QString rowDescription(int row) const override { return QStringLiteral("Row %1").arg(row + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return description_->columnCount(); }
    int rowCount() const override { return description_->rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // Cells of a grid that changed its size are dropped; a change of their states keeps them.
    void modelChange(QAccessibleTableModelChangeEvent*) override {
        if (rowCount() != rows_ || columnCount() != columns_) dropCells();
        rows_ = rowCount();
        columns_ = columnCount();
    }

    void dropCells() const;

  private:
    const GridDescription* description_;
    int rows_ = description_->rowCount();
    int columns_ = description_->columnCount();
    // By row and column: a grid drawn anew at another size keeps what each cell stands for.
    mutable QHash<QPoint, QAccessible::Id> cells_;
};

class GridCell final : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    GridCell(const GridTable* table, int row, int column)
        : table_(table), row_(row), column_(column) {}

    bool isValid() const override {
        return table_->isValid() && row_ < table_->rowCount() && column_ < table_->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_->window(); }
    QAccessibleInterface* parent() const override { return const_cast<GridTable*>(table_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    // A screen reader may still hold a cell of an earlier, larger grid: such a cell reads
    // as nothing and asks its description nothing.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && isValid())
            return table_->description().cellName(row_, column_);
        return QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return QRect();
        const auto* widget = static_cast<QWidget*>(table_->object());
        const QRect r = table_->description().cellRect(row_, column_);
        return QRect(widget->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) return s;
        const GridDescription& d = table_->description();
        s.focusable = true;
        s.selectable = true;
        s.checkable = true;
        s.checked = d.cellFound(row_, column_);
        s.selected = d.cellSelected(row_, column_);
        s.focused = d.focusRow() == row_ && d.focusColumn() == column_;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override {
        return isValid() && table_->description().cellSelected(row_, column_);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return const_cast<GridTable*>(table_); }

  private:
    const GridTable* table_;
    int row_;
    int column_;
};

GridTable::~GridTable() {
    dropCells();
}

void GridTable::dropCells() const {
    for (QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

QAccessibleInterface* GridTable::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    const QPoint at(column, row);
    if (const auto found = cells_.constFind(at); found != cells_.cend())
        return QAccessible::accessibleInterface(*found);
    auto* cell = new GridCell(this, row, column);
    cells_.insert(at, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int GridTable::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) return -1;
    if (const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface())
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    return -1;
}

QAccessibleInterface* GridTable::childAt(int x, int y) const {
    const auto* widget = static_cast<QWidget*>(object());
    const QPoint at = widget->mapFromGlobal(QPoint(x, y));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (description_->cellRect(r, c).contains(at)) return cellAt(r, c);
    return nullptr;
}

QAccessibleInterface* gridFactory(const QString&, QObject* object) {
    const auto found = described().constFind(object);
    if (found == described().cend() || !object->isWidgetType()) return nullptr;
    return new GridTable(static_cast<QWidget*>(object), *found);
}

}  // namespace

void describeGridForScreenReaders(QWidget* widget, const GridDescription* description) {
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
    described().insert(widget, description);
    QObject::connect(widget, &QObject::destroyed, [widget] { described().remove(widget); });
}

void gridCellsChanged(QWidget* widget) {
    QAccessibleTableModelChangeEvent event(widget, QAccessibleTableModelChangeEvent::DataChanged);
    QAccessible::updateAccessibility(&event);
}

void announce(QWidget* widget, const QString& message) {
    widget->setAccessibleDescription(message);
    QAccessibleEvent event(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}

}  // namespace ui
