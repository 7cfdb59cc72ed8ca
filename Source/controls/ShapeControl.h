// A shape control: a rectangle or rounded rectangle with a one-pixel solid outline, a solid or
// hatched fill and a transparent or opaque background. Shapes take no pointer input: the window
// beneath them receives it.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

class ShapeControl : public QWidget
{
    Q_OBJECT

public:
    enum Shape { Rectangle = 0, RoundedRectangle = 4 };
    enum FillStyle { Solid = 0, Transparent = 1, DownwardDiagonal = 5 };
    enum BackStyle { BackTransparent = 0, BackOpaque = 1 };

    explicit ShapeControl(QWidget *parent);

    // Each setter that changes the shape repaints it; colours are 24-bit values with red in the low byte.
    void setShape(Shape shape);
    void setBorderColor(uint32_t color);
    void setFillColor(uint32_t color);
    void setFillStyle(FillStyle style);
    void setBackStyle(BackStyle style);

    Shape shape() const { return m_shape; }
    uint32_t borderColor() const { return m_borderColor; }
    uint32_t fillColor() const { return m_fillColor; }
    FillStyle fillStyle() const { return m_fillStyle; }
    BackStyle backStyle() const { return m_backStyle; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void changed();
    QImage sharedRendering() const;
    QImage drawShape() const;

    QImage m_rendering; // drawn once for each change, then copied on every paint
    Shape m_shape = Rectangle;
    uint32_t m_borderColor = 0;
    uint32_t m_fillColor = 0;
    FillStyle m_fillStyle = Transparent;
    BackStyle m_backStyle = BackTransparent;
};
