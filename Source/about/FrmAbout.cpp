// The about window: its controls, the page it loads, its layout and its Close button.
#include "about/FrmAbout.h"

#include "controls/eventArguments.h"
#include "controls/fixedWindow.h"
#include "controls/mousePointer.h"
#include "controls/twips.h"
#include "platform/WebBrowser.h"
#include "platform/executableFolder.h"

#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

FrmAbout *frmAbout = nullptr;

FrmAbout::FrmAbout(const QWidget *centreOver) : QDialog(nullptr, fixedWindowFlags(Qt::Dialog))
{
    // Closing unloads the window: the next click on the credits link builds it and loads the page
    // afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About Tallyfive"));
    setFixedSize(twipsToPixels(6135), twipsToPixels(4095));
    setMouseTracking(true);

    // The button's place and the view's size come from the layout, Form_Resize, as the window is shown.
    cmdOK = new QPushButton(QStringLiteral("Close"), this);
    cmdOK->resize(twipsToPixels(1260), twipsToPixels(345));
    cmdOK->setDefault(true);
    webBrowser = new platform::WebBrowser(this);
    webBrowser->setAccessibleName(QStringLiteral("About Tallyfive"));
    // At its designed size from the start, so that the page is first laid out at about the width it
    // is shown at, not at a few letters' width.
    webBrowser->setGeometry(twipsToPixels(120), twipsToPixels(120), twipsToPixels(5895), twipsToPixels(3375));
    setTabOrder(cmdOK, webBrowser);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);

    centreWindow(this, centreOver);
    Form_Load();
}

FrmAbout::~FrmAbout()
{
    if (frmAbout == this)
        frmAbout = nullptr;
}

void FrmAbout::Form_Load()
{
    // The folder is taken as the system reports it: one that already ends in a separator gives a
    // doubled one, which the view reads all the same.
    webBrowser->Navigate(platform::executableFolder() + QLatin1Char(platform::pathSeparator) +
                         QStringLiteral("index.htm"));
}

void FrmAbout::Form_Resize()
{
    const auto W = static_cast<float>(width());
    const auto H = static_cast<float>(height());
    // Only the system can make the window smaller than its controls; the view then shrinks to nothing.
    webBrowser->resize(static_cast<int>(std::max(W - 16, 0.0f)), static_cast<int>(std::max(H - 50, 0.0f)));
    cmdOK->move(static_cast<int>(W - 92), static_cast<int>(H - 32));
}

void FrmAbout::cmdOK_Click()
{
    accept();
}

void FrmAbout::Form_MouseMove(int, int, float, float)
{
    setMousePointer(vbArrow);
}

void FrmAbout::reject()
{
    cmdOK->click();
}

void FrmAbout::resizeEvent(QResizeEvent *)
{
    Form_Resize();
}

void FrmAbout::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove(buttonMask(event), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
}
