// A name in another script, typed by the real keyboard under a Russian layout into the top-score dialog
// of the running game, is stored, and the game started again shows it in the scoring window. Runs only
// in an X server: the keys go through it as a player's do.
#include <QCoreApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

class TestNameKept : public QObject
{
    Q_OBJECT

private slots:
    void cyrillicNameKept();
};

static bool run(const QString &program, const QStringList &arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

void TestNameKept::cyrillicNameKept()
{
    QTemporaryDir data;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/tallyfive_child");
    QProcess game;
    game.setProcessEnvironment(environment);
    game.start(child, {QStringLiteral("name")});
    const auto nextLine = [&game] {
        const bool line = QTest::qWaitFor(
            [&game] {
                game.waitForReadyRead(100);
                return game.canReadLine();
            },
            30000);
        return line ? QString::fromUtf8(game.readLine()) : QString();
    };
    QCOMPARE(nextLine(), QStringLiteral("ready\n"));
    // Laid while the game is connected: an X server that its last client leaves starts afresh, with the
    // US layout.
    QVERIFY2(run(QStringLiteral("setxkbmap"), {QStringLiteral("ru")}), "setxkbmap (x11-xkb-utils) is needed");
    const auto usLayout = qScopeGuard([] { run(QStringLiteral("setxkbmap"), {QStringLiteral("us")}); });
    // The keys a Russian typist presses, by their places on the keyboard, each checked in the name box;
    // Shift is held down and let go as a step of its own, as a chord of the keyboard is.
    const QString name = QStringLiteral("Жанна Ёлкина");
    const QStringList keys = {QStringLiteral("keydown shift key 47 keyup shift"),
                              "key 41",
                              "key 29",
                              "key 29",
                              "key 41",
                              "key 65",
                              "keydown shift key 49 keyup shift",
                              "key 45",
                              "key 27",
                              "key 56",
                              "key 29",
                              "key 41"};
    for (int typed = 0; typed < keys.size(); ++typed) {
        QVERIFY2(run(QStringLiteral("xdotool"), keys[typed].split(QLatin1Char(' '))), "xdotool is needed");
        QCOMPARE(nextLine(), QStringLiteral("text %1\n").arg(name.left(typed + 1)));
    }
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}));
    QVERIFY(game.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(game.readAllStandardOutput()),
             QStringLiteral("entered %1\nended with 0\n").arg(name));

    QProcess again;
    again.setProcessEnvironment(environment);
    again.start(child, {QStringLiteral("scores")});
    QVERIFY(again.waitForFinished(30000));
    QVERIFY2(
        QString::fromUtf8(again.readAllStandardOutput()).startsWith(QStringLiteral("shown %1\n").arg(name)),
        qPrintable(again.readAllStandardError()));
}

QTEST_GUILESS_MAIN(TestNameKept)
#include "tst_nameKept.moc"
