// The about window: the page that lies beside the program, shown in an embedded view, with a
// Close button below it.
#pragma once

#include <QDialog>

class QPushButton;
namespace platform
{
class WebBrowser;
}

class FrmAbout : public QDialog
{
    Q_OBJECT

public:
    // Centred over `centreOver`, the game window, though it names no owner.
    explicit FrmAbout(const QWidget *centreOver);
    ~FrmAbout() override;

    // Controls, named as designed, in tab order.
    QPushButton *cmdOK;
    platform::WebBrowser *webBrowser;

    void Form_Load();
    void Form_Resize();
    void cmdOK_Click();
    void Form_MouseMove(int Button, int Shift, float X, float Y);

    // Esc and the close box press Close.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};

// Loaded at each click on the credits link, unloaded by Close.
extern FrmAbout *frmAbout;
