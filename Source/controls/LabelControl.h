// A label control: a caption in a colour (24-bit, or the system's button-text colour), with
// underline, alignment and a transparent background. Like the designs' labels it wraps words at
// its width, draws from its top, and takes the pointer's moves and clicks for itself.
#pragma once

#include "controls/ClickTracker.h"
#include "controls/palette.h"

#include <QLabel>
#include <cstdint>

class LabelControl : public QLabel
{
    Q_OBJECT

public:
    LabelControl(QWidget *parent, const QString &caption, const QFont &font,
                 Qt::Alignment alignment = Qt::AlignLeft, uint32_t foreColor = palette::linkGreen);

    void setForeColor(uint32_t color);
    uint32_t foreColor() const { return m_foreColor; }
    void setUnderline(bool on);
    bool underline() const { return font().underline(); }

    // A caption too wide for the label is drawn in a smaller size rather than cut off.
    void setShrinkToFit(bool on);

signals:
    void clicked();
    void mouseMoved(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    uint32_t m_foreColor;
    bool m_shrinkToFit = false;
    ClickTracker m_click;
};
