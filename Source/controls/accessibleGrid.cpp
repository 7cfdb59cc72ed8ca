#include "controls/accessibleGrid.h"

#include "controls/GridControl.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace
{

class Cell : public QAccessibleInterface
{
public:
    Cell(QAccessibleInterface *list, GridControl *grid, int cell) : m_list(list), m_grid(grid), m_cell(cell)
    {
    }

    bool isValid() const override { return m_grid; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid->window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return m_list; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_grid->spokenName(m_cell) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        const QRect box = m_grid->cellBox(m_cell);
        return QRect(m_grid->mapToGlobal(box.topLeft()), box.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        state.selected = m_grid->currentCell() == m_cell;
        state.focused = state.selected && m_grid->hasFocus();
        state.invisible = !m_grid->isVisible();
        return state;
    }

private:
    QAccessibleInterface *m_list;
    QPointer<GridControl> m_grid;
    int m_cell;
};

class CellList : public QAccessibleWidget
{
public:
    explicit CellList(GridControl *grid) : QAccessibleWidget(grid, QAccessible::List) {}
    ~CellList() override
    {
        for (QAccessible::Id id : m_cells) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return CellCount; }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= CellCount)
            return nullptr;
        // Made once and kept, so that a screen reader finds the same cell at the same place every time.
        if (!m_cells[index])
            m_cells[index] = QAccessible::registerAccessibleInterface(
                new Cell(const_cast<CellList *>(this), static_cast<GridControl *>(widget()), index));
        return QAccessible::accessibleInterface(m_cells[index]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int cell = 0; cell < CellCount; ++cell) {
            if (m_cells[cell] && QAccessible::accessibleInterface(m_cells[cell]) == child)
                return cell;
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int cell = 0; cell < CellCount; ++cell) {
            if (child(cell)->rect().contains(x, y))
                return child(cell);
        }
        return nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const auto *grid = static_cast<const GridControl *>(widget());
        return grid->hasFocus() && grid->currentCell() >= 0 ? child(grid->currentCell()) : nullptr;
    }

private:
    mutable QAccessible::Id m_cells[CellCount] = {};
};

} // namespace

QAccessibleInterface *accessibleGrid(GridControl *grid)
{
    return new CellList(grid);
}
