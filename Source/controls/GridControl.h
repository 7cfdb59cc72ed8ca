// The grid as the keyboard and a screen reader reach it: a control over the cells that takes the focus
// and lets the pointer through to the cells beneath. While it has the focus it frames the card it
// follows, a solid frame where the card may go, a broken one round the card dimmed where it may not;
// and a screen reader finds its cells, follows the one under the card and hears what changed there.
#pragma once

#include "rules/sizes.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

class ImageControl;

class GridControl : public QWidget
{
    Q_OBJECT

public:
    // `card` is the control that lies over the current cell; `cells` are the cells' images, whose
    // boxes the cells have.
    GridControl(QWidget *parent, ImageControl *card, ImageControl *const cells[CellCount]);

    // What a screen reader says of a cell. It hears the change once told.
    void setCellName(int cell, const QString &name);
    // The cell the card lies over, and whether the card may go there. A new cell is told at once
    // while the grid has the focus.
    void setCurrentCell(int cell, bool allowed);
    // Tells a screen reader every name that changed since last told, the current cell's last and with
    // `news` after it, until the card moves on.
    void tellChanges(const QString &news);

    int currentCell() const { return m_current; }
    // What a screen reader says of a cell now; its box within the grid.
    QString spokenName(int cell) const;
    QRect cellBox(int cell) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tellCell(int cell, QAccessible::Event type);
    void tellCurrentCell();
    void showAllowed();
    QRect frameBox() const;
    void showFrame();

    ImageControl *m_card;
    ImageControl *m_cells[CellCount];
    QString m_names[CellCount];
    QString m_told[CellCount];
    QString m_news;
    int m_current = -1;
    bool m_allowed = false;
    QRect m_framed; // where the frame was last shown
    bool m_focusTold = false;
};
