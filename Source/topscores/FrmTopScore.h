// The dialog in which a top score is given a name. It opens modally at a game end whose total
// beats an entry of the table; its OK enters the name and the total, saves the table and closes.
#pragma once

#include <QDialog>

class LabelControl;
class QLineEdit;
class QPushButton;

class FrmTopScore : public QDialog
{
    Q_OBJECT

public:
    explicit FrmTopScore(QWidget *owner);
    ~FrmTopScore() override;

    // Controls, named as designed.
    QLineEdit *txtName;
    LabelControl *lblText;
    QPushButton *cmdOK;

    // Offers the name entered last, wholly selected, so that typing replaces it.
    void Form_Load();
    void cmdOK_Click();
    // Puts playerName and totalScore into the table below every entry that the total does not beat.
    void insertTopScore();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

extern FrmTopScore *frmTopScore;
