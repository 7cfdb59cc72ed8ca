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
    QVERIFY2(run(QStringLiteral("setxkbmap"), {QStringLiteral("ru")}), "setxkbmap (x11-xkb-utils) is needed");
    const auto usLayout = qScopeGuard([] { run(QStringLiteral("setxkbmap"), {QStringLiteral("us")}); });

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
    // Key by key, each once the one before it has reached the name box: where the X server keeps its own
    // keys whatever the layout asked for (Debian 12's Xvfb does), xdotool lays each letter on a spare key
    // for its press alone, and a key pressed while the game still reads the last change would be lost.
    // Shift is held down and let go as a step of its own, as a chord of the keyboard is.
    const QString name = QStringLiteral("Жанна Ёлкина");
    const QStringList keys = {QStringLiteral("keydown shift key Cyrillic_zhe keyup shift"),
                              "key Cyrillic_a",
                              "key Cyrillic_en",
                              "key Cyrillic_en",
                              "key Cyrillic_a",
                              "key space",
                              "keydown shift key Cyrillic_io keyup shift",
                              "key Cyrillic_el",
                              "key Cyrillic_ka",
                              "key Cyrillic_i",
                              "key Cyrillic_en",
                              "key Cyrillic_a"};
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
