// Colours as the designs give them: 24-bit values with red in the low byte, or a system colour (high
// bit set, index in the low byte) that a palette resolves.
#pragma once

#include <QColor>
#include <cstdint>

class QWidget;

constexpr uint32_t vbButtonText = 0x80000012;

// A system colour is resolved against the palette of the surface it is drawn on, or the program's.
QColor vbColor(uint32_t value, const QWidget *surface = nullptr);

// Fills a window's surface with a designed colour. The designs' surfaces are light, so the system's
// colours drawn on them are resolved against the light palette the designs assume, whatever the
// desktop's theme: a caption never vanishes into a dark theme's light text.
void setBackColor(QWidget *window, uint32_t color);
