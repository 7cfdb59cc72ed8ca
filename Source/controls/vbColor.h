// Colours as the designs give them: 24-bit values with red in the low byte, or a system colour
// (high bit set, index in the low byte) that the palette resolves.
#pragma once

#include <QColor>
#include <cstdint>

constexpr uint32_t vbButtonText = 0x80000012;

QColor vbColor(uint32_t value);

// Fills a window's surface with a designed colour.
class QWidget;
void setBackColor(QWidget *window, uint32_t color);
