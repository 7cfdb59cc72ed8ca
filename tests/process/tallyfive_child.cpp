// Runs the game as the real program does, then ends it the way the first argument names:
// "escape", "quit", "ctrl-q" or "close"; a second argument names the folder the game takes for its own.
// Any message box is answered, and its text written to stdout, so the run never waits for a player.
// Or, as "name", plays a game to its end, says "ready" once the top-score dialog has the keyboard, and
// writes the name box's text at each change and the name the player then enters; as "scores", writes the
// names the scoring window shows.
#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "platform/testHooks.h"
#include "state/modInitialize.h"
#include "support/testSupport.h"
#include "topscores/FrmScoring.h"
#include "topscores/FrmTopScore.h"
#include "topscores/nameText.h"

#include <QApplication>
#include <QLineEdit>
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

// The player types the name with the real keyboard; the dialog opens at the game's end.
static void playForAName()
{
    auto *watch = new QTimer(qApp);
    QObject::connect(watch, &QTimer::timeout, [watch] {
        if (frmTopScore && QApplication::activeWindow() == frmTopScore &&
            QApplication::focusWidget() == frmTopScore->txtName) {
            QObject::connect(frmTopScore->txtName, &QLineEdit::textChanged, [](const QString &text) {
                std::printf("text %s\n", qUtf8Printable(text));
                std::fflush(stdout);
            });
            std::printf("ready\n");
            std::fflush(stdout);
            watch->stop();
        }
    });
    watch->start(20);
    testSupport::fixClock(2026);
    testSupport::openGame();
    while (modInitialize::packPosition < LastCard)
        testSupport::placeOn(testSupport::availableCells().constFirst());
    std::printf("entered %s\n", qUtf8Printable(nameToText(modInitialize::playerName)));
    QApplication::quit();
}

static void showScores()
{
    testSupport::openGame();
    QTest::mouseClick(frmMain->cmdScoring, Qt::LeftButton);
    for (LabelControl *name : frmScoring->lblTopName)
        std::printf("shown %s\n", qUtf8Printable(name->text()));
    QApplication::quit();
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString how = arguments.value(1);
    if (arguments.size() > 2)
        platform::setExecutableFolder(arguments[2]);
    answerMessageBoxes();
    if (how == QLatin1String("name") || how == QLatin1String("scores")) {
        QTimer::singleShot(0, how == QLatin1String("name") ? playForAName : showScores);
    } else {
        modInitialize::Main();
        QTimer::singleShot(200, [how] { endBy(how); });
    }
    const int status = QApplication::exec();
    std::printf("ended with %d\n", status);
    return status;
}
