// An image control: shows a picture pixel for pixel and takes the picture's size.
// With no picture it keeps its size, so an empty cell still sees the pointer.
#pragma once

#include "controls/ClickTracker.h"

#include <QImage>
#include <QWidget>

class ImageControl : public QWidget
{
    Q_OBJECT

public:
    explicit ImageControl(QWidget *parent);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    // A dimmed picture is drawn faint, so that what lies beneath shows through.
    void setDimmed(bool dimmed);

signals:
    // A press and release of the left button on the control.
    void clicked();
    // Any move of the pointer over the control; x and y in twips.
    void mouseMoved(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_dimmed = false;
    ClickTracker m_click;
};
