// A line control: a one-pixel horizontal or vertical rule between two designed points.
#pragma once

#include <QWidget>
#include <cstdint>

class LineControl : public QWidget
{
    Q_OBJECT

public:
    // The end points are in twips; the colour has red in the low byte.
    LineControl(QWidget *parent, int x1, int y1, int x2, int y2, uint32_t color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    uint32_t m_color;
};
