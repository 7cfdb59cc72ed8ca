#include "controls/vbColor.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QWidget>

QColor vbColor(uint32_t value, const QWidget *surface)
{
    if (value & 0x80000000u) {
        // Only the button-text colour is used by the program.
        const QPalette palette = surface ? surface->palette() : QApplication::palette();
        return palette.color(QPalette::Active, QPalette::ButtonText);
    }
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

void setBackColor(QWidget *window, uint32_t color)
{
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, vbColor(color));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}
