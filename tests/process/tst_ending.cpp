// How the program ends: Esc, Quit and the close box end it at once and cleanly; a broken picture in
// the pack ends it at the start, before a game can be played and lost.
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestEnding : public QObject
{
    Q_OBJECT

private slots:
    void endsCleanly_data();
    void endsCleanly();
    void brokenPackEndsItAtTheStart_data();
    void brokenPackEndsItAtTheStart();

private:
    struct Run {
        int status;
        QString out;
        QString err;
    };
    Run runChild(const QStringList &arguments);
    QTemporaryDir dataFolder;
};

TestEnding::Run TestEnding::runChild(const QStringList &arguments)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataFolder.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tallyfive_child"), arguments);
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return {-1, QString(), QStringLiteral("the program did not end")};
    }
    return {child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -2,
            QString::fromUtf8(child.readAllStandardOutput()),
            QString::fromUtf8(child.readAllStandardError())};
}

void TestEnding::endsCleanly_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << QStringLiteral("escape");
    QTest::newRow("Quit") << QStringLiteral("quit");
    QTest::newRow("Ctrl+Q") << QStringLiteral("ctrl-q");
    QTest::newRow("close box") << QStringLiteral("close");
}

void TestEnding::endsCleanly()
{
    QFETCH(QString, how);
    const Run run = runChild({how});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("ended with 0")), qPrintable(run.out));
    QVERIFY2(!run.out.contains(QStringLiteral("message:")), qPrintable(run.out));
}

void TestEnding::brokenPackEndsItAtTheStart_data()
{
    QTest::addColumn<int>("kept"); // how much of the picture is kept, in bytes up to a ';'; -1 none
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << -1 << QStringLiteral("there is no such file");
    QTest::newRow("cut short where a ';' ends it") << 400 << QStringLiteral("it is cut short");
}

// The picture shown after the last card is broken: found before the first game, not after it, and
// named with what is wrong with it.
void TestEnding::brokenPackEndsItAtTheStart()
{
    QFETCH(int, kept);
    QFETCH(QString, problem);
    QTemporaryDir folder;
    const QDir pack(QCoreApplication::applicationDirPath() + QStringLiteral("/Pack"));
    QDir(folder.path()).mkdir(QStringLiteral("Pack"));
    for (const QString &name : pack.entryList(QDir::Files)) {
        if (name != QLatin1String("000.gif"))
            QFile::copy(pack.filePath(name), folder.filePath(QStringLiteral("Pack/") + name));
    }
    QFile whole(pack.filePath(QStringLiteral("000.gif"))),
        broken(folder.filePath(QStringLiteral("Pack/000.gif")));
    if (kept >= 0) {
        QVERIFY(whole.open(QIODevice::ReadOnly) && broken.open(QIODevice::WriteOnly));
        const QByteArray picture = whole.readAll();
        QVERIFY(broken.write(picture.left(picture.indexOf(';', kept) + 1)) > kept);
        broken.close();
    }
    const Run run = runChild({QStringLiteral("quit"), folder.path()});
    QCOMPARE(run.status, 1);
    QVERIFY2(!run.out.contains(QStringLiteral("ended with")), qPrintable(run.out));
    for (const QString &text : {run.out, run.err})
        QVERIFY2(text.contains(QStringLiteral("000.gif")) &&
                     text.contains(folder.path() + QStringLiteral("/Pack")) && text.contains(problem),
                 qPrintable(text));
}

QTEST_GUILESS_MAIN(TestEnding)
#include "tst_ending.moc"
