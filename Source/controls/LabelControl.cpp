#include "controls/LabelControl.h"

#include "controls/eventArguments.h"
#include "controls/vbColor.h"

#include <QMouseEvent>
#include <QPainter>

LabelControl::LabelControl(QWidget *parent, const QString &caption, const QFont &font,
                           Qt::Alignment alignment, uint32_t foreColor)
    : QLabel(caption, parent), m_foreColor(foreColor)
{
    setFont(font);
    setAlignment(alignment | Qt::AlignTop);
    setWordWrap(true);
    setMouseTracking(true);
    setForeColor(foreColor);
}

void LabelControl::setForeColor(uint32_t color)
{
    m_foreColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, vbColor(color, this));
    setPalette(palette);
}

void LabelControl::setUnderline(bool on)
{
    QFont font = this->font();
    font.setUnderline(on);
    setFont(font);
}

void LabelControl::setShrinkToFit(bool on)
{
    m_shrinkToFit = on;
    update();
}

void LabelControl::paintEvent(QPaintEvent *event)
{
    // A label that takes the focus, as a link does, shows it with a frame in the focus colour.
    if (hasFocus()) {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!m_shrinkToFit) {
        QLabel::paintEvent(event);
        return;
    }
    QFont font = this->font();
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text()) > width())
        font.setPixelSize(font.pixelSize() - 1);
    QPainter painter(this);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

void LabelControl::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
    event->accept();
}

void LabelControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (m_click.release(event, rect()))
        emit clicked();
}

void LabelControl::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved(buttonMask(event), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
}
