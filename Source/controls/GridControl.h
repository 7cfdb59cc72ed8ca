// The grid as the keyboard reaches it: a control over the cells that takes the focus, lets the pointer
// through to the cells beneath, and shows the focus as a frame round the card it follows.
#pragma once

#include <QWidget>

class GridControl : public QWidget
{
public:
    // `framed` is the control whose box the focus frame goes round.
    GridControl(QWidget *parent, QWidget *framed);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_framed;
};
