#include "controls/GridControl.h"

#include "controls/ImageControl.h"

#include <QEvent>
#include <QPainter>

GridControl::GridControl(QWidget *parent, ImageControl *card, ImageControl *const cells[CellCount])
    : QWidget(parent), m_card(card)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    std::copy(cells, cells + CellCount, m_cells);
    card->installEventFilter(this);
}

void GridControl::setCellName(int cell, const QString &name)
{
    m_names[cell] = name;
}

void GridControl::setCurrentCell(int cell, bool allowed)
{
    const bool moved = cell != m_current;
    m_current = cell;
    m_allowed = allowed;
    showAllowed();
    if (!moved)
        return;
    // The news was of the cell the card has left.
    if (!m_news.isEmpty()) {
        m_news.clear();
        tellChanges(QString());
    }
    if (m_focusTold)
        tellCell(cell, QAccessible::Focus);
}

void GridControl::tellChanges(const QString &news)
{
    m_news = news;
    for (int cell = 0; cell < CellCount; ++cell) {
        if (cell != m_current && m_told[cell] != spokenName(cell))
            tellCell(cell, QAccessible::NameChanged);
    }
    if (m_current >= 0 && m_told[m_current] != spokenName(m_current))
        tellCell(m_current, QAccessible::NameChanged);
}

QString GridControl::spokenName(int cell) const
{
    return cell == m_current && !m_news.isEmpty() ? m_names[cell] + QStringLiteral(". ") + m_news
                                                  : m_names[cell];
}

QRect GridControl::cellBox(int cell) const
{
    return m_cells[cell]->geometry().translated(-pos());
}

void GridControl::tellCell(int cell, QAccessible::Event type)
{
    m_told[cell] = spokenName(cell);
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(QAccessible::queryAccessibleInterface(this)->child(cell), type);
    QAccessible::updateAccessibility(&event);
}

void GridControl::tellCurrentCell()
{
    m_focusTold = hasFocus();
    if (m_focusTold && m_current >= 0)
        tellCell(m_current, QAccessible::Focus);
}

// The look of the current cell shows only while the grid has the focus; pointer play is left as it was.
void GridControl::showAllowed()
{
    m_card->setDimmed(hasFocus() && !m_allowed);
    showFrame();
}

// The frame's box: around the card, with room for its pen; empty while no frame shows.
QRect GridControl::frameBox() const
{
    if (!hasFocus() || !m_card->isVisible())
        return QRect();
    return m_card->geometry().translated(-pos()).adjusted(-4, -4, 4, 4);
}

// Only where the frame was and where it is now is painted again: the grid lies over every cell, and
// painting all of it would paint every cell beneath.
void GridControl::showFrame()
{
    const QRect box = frameBox();
    update(QRegion(m_framed) + box);
    m_framed = box;
}

void GridControl::paintEvent(QPaintEvent *)
{
    if (frameBox().isEmpty())
        return;
    QPainter painter(this);
    const QColor colour = palette().color(m_allowed ? QPalette::Highlight : QPalette::WindowText);
    painter.setPen(QPen(colour, 2, m_allowed ? Qt::SolidLine : Qt::DashLine));
    painter.drawRect(QRectF(m_card->geometry().translated(-pos())).adjusted(-2, -2, 2, 2));
}

void GridControl::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    showAllowed();
    // Qt tells of the grid itself once its focus has come: the cell under the card is told after that,
    // and from then on each cell the card moves to.
    QMetaObject::invokeMethod(this, &GridControl::tellCurrentCell, Qt::QueuedConnection);
}

void GridControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_focusTold = false;
    showAllowed();
}

// The frame follows the card wherever it goes.
bool GridControl::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Show || event->type() == QEvent::Hide)
        showFrame();
    return false;
}
