// Runs the game as the real program does, then ends it the way the first argument names:
// "escape", "quit", "ctrl-q" or "close"; a second argument names the folder the game takes for its own.
// Any message box is answered, and its text written to stdout, so the run never waits for a player.
#include "game/FrmMain.h"
#include "platform/testHooks.h"
#include "state/modInitialize.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

static void answerMessageBoxes()
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            std::printf("message: %s\n", qUtf8Printable(box->text()));
            std::fflush(stdout);
            box->accept();
        }
    });
    timer->start(20);
}

static void endBy(const QString &how)
{
    if (how == QLatin1String("escape"))
        QTest::keyClick(frmMain->cmdScoring, Qt::Key_Escape);
    else if (how == QLatin1String("quit"))
        QTest::mouseClick(frmMain->cmdQuit, Qt::LeftButton);
    else if (how == QLatin1String("ctrl-q"))
        QTest::keyClick(frmMain->cmdScoring, Qt::Key_Q, Qt::ControlModifier);
    else if (how == QLatin1String("close"))
        frmMain->windowHandle()->close();
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString how = arguments.value(1);
    if (arguments.size() > 2)
        platform::setExecutableFolder(arguments[2]);
    answerMessageBoxes();
    modInitialize::Main();
    QTimer::singleShot(200, [how] { endBy(how); });
    const int status = QApplication::exec();
    std::printf("ended with %d\n", status);
    return status;
}
