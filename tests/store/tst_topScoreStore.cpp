// The top-score store over the registry stand-in: what loads from which stored values, what a save
// writes, the file it leaves, and the bad files a player's disk may hold in place of a good one.
#include "game/modInitialize.h"
#include "platform/registry.h"
#include "support/testSupport.h"
#include "topscores/topScoreStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace modInitialize;
using testSupport::describeTopScores;
using Values = QList<QPair<QByteArray, QByteArray>>; // value names and their texts

namespace
{

const char keyPath[] = "Software\\Brindlow\\Tallyfive\\1.2";
const QByteArray header = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n";
const QByteArray goodFile = header + "\"TopName0\"=\"Ann\"\r\n\"TopName1\"=\"Bob\"\r\n"
                                     "\"TopScore0\"=\"300\"\r\n\"TopScore1\"=\"200\"\r\n\r\n";

void storeValues(const Values &values)
{
    HKEY key;
    QCOMPARE(RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key), ERROR_SUCCESS);
    for (const auto &[name, text] : values)
        RegSetValueExA(key, name.constData(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.constData()),
                       DWORD(text.size() + 1));
    RegCloseKey(key);
}

// What stands where the file should be. Root reads and writes regardless of a file's rights, so a run
// as root gives those cases up in a child of its own.
enum Place { File, Folder, ReadOnlyFolder, UnreadableFile, FullDisk };

} // namespace

class TestTopScoreStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadsWhatIsStored_data();
    void loadsWhatIsStored();
    void savesTheEntriesWithAScore();
    void fileIsWhatRegeditExports_data();
    void fileIsWhatRegeditExports();
    void badFilesLoseNothing_data();
    void badFilesLoseNothing();

private:
    QString filePath() const
    {
        return m_folder->path() + QStringLiteral("/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg");
    }
    void writeFile(const QByteArray &bytes);
    QByteArray fileBytes() const;
    std::unique_ptr<QTemporaryDir> m_folder;
};

// Each case gets a data folder of its own.
void TestTopScoreStore::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    chmod(QFile::encodeName(m_folder->path()).constData(), 0755);
    qputenv("XDG_DATA_HOME", m_folder->path().toLocal8Bit());
    testSupport::setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
}

void TestTopScoreStore::writeFile(const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(filePath()).absolutePath());
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray TestTopScoreStore::fileBytes() const
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestTopScoreStore::loadsWhatIsStored_data()
{
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QString>("loads"); // over a table of "9 kept" entries

    const QByteArray fits(254, 'n'), tooLong(255, 'n');
    const QString kept = QStringLiteral("9 kept");
    QTest::newRow("no key") << Values{} << QString("%1, %1, %1, %1, %1").arg(kept);
    QTest::newRow("a 254-byte name") << Values{{"TopName2", fits}, {"TopScore2", "40"}}
                                     << QString("%1, %1, 40 %2, %1, %1").arg(kept, fits);
    QTest::newRow("a 255-byte name") << Values{{"TopName2", tooLong}, {"TopScore2", "40"}}
                                     << QString("%1, %1, 40 kept, %1, %1").arg(kept);
    QTest::newRow("a name without its score")
        << Values{{"TopName1", "Solo"}} << QString("%1, 9 Solo, %1, %1, %1").arg(kept);
    QTest::newRow("scores out of order")
        << Values{{"TopName0", "Ann"}, {"TopScore0", "50"}, {"TopName1", "Bob"}, {"TopScore1", "300"}}
        << QString("50 Ann, 300 Bob, %1, %1, %1").arg(kept);
    // Only a hand-edited registry holds a score's text that is no whole number within 16 bits: 0.
    const QList<QPair<QByteArray, int>> scores = {{"007", 7},
                                                  {"+5", 5},
                                                  {"-12", -12},
                                                  {"32767", 32767},
                                                  {"-32768", -32768},
                                                  {"", 0},
                                                  {"-", 0},
                                                  {"12a", 0},
                                                  {" 5", 0},
                                                  {"4.5", 0},
                                                  {"32768", 0},
                                                  {"-32769", 0},
                                                  {"99999999999999999999", 0}};
    for (const auto &[text, score] : scores)
        QTest::addRow("the score \"%s\"", text.constData())
            << Values{{"TopScore0", text}} << QString("%1 kept, %2, %2, %2, %2").arg(score).arg(kept);
}

void TestTopScoreStore::loadsWhatIsStored()
{
    QFETCH(Values, stored);
    QFETCH(QString, loads);
    if (!stored.isEmpty())
        storeValues(stored);
    testSupport::setTopScores(QStringLiteral("9 kept, 9 kept, 9 kept, 9 kept, 9 kept"));
    loadTopScores();
    QCOMPARE(describeTopScores(), loads);
    // Finding no key writes nothing.
    QCOMPARE(QFile::exists(filePath()), !stored.isEmpty());
}

// The first entry writes exactly its two values. A save skips the entries without a score, which keep
// their values, and leaves any other value as it was.
void TestTopScoreStore::savesTheEntriesWithAScore()
{
    testSupport::setTopScores(QStringLiteral("120 Ann, 0, 0, 0, 0"));
    saveTopScores();
    QCOMPARE(fileBytes(), header + "\"TopName0\"=\"Ann\"\r\n\"TopScore0\"=\"120\"\r\n\r\n");

    storeValues({{"TopName3", "Old"}, {"TopScore3", "70"}, {"Colour", "green"}});
    testSupport::setTopScores(QStringLiteral("900 Ann, 800 Bob, 700 Cy, 0 New, -5"));
    saveTopScores();
    testSupport::setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    loadTopScores();
    QCOMPARE(describeTopScores(), QStringLiteral("900 Ann, 800 Bob, 700 Cy, 70 Old, 0"));
    QVERIFY(fileBytes().contains("\"Colour\"=\"green\"\r\n"));
}

void TestTopScoreStore::fileIsWhatRegeditExports_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QByteArray>("after");

    const QByteArray section = "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n";
    QTest::newRow("new file, names that need escapes or Windows-1252")
        << QByteArray() << QStringLiteral("3 Zoë \"Ace\" €, 2 C:\\Games\\, 0, 0, 0")
        << "REGEDIT4\r\n\r\n" + section +
               "\"TopName0\"=\"Zo\xEB \\\"Ace\\\" \x80\"\r\n\"TopName1\"=\"C:\\\\Games\\\\\"\r\n"
               "\"TopScore0\"=\"3\"\r\n\"TopScore1\"=\"2\"\r\n\r\n";
    QTest::newRow("other keys, values and comments are kept")
        << "REGEDIT4\r\n\r\n; kept comment\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
           "\"Count\"=dword:0000002a\r\n\r\n" +
               section + "@=\"default\"\r\n\"TopName0\"=\"Old\"\r\n"
        << QStringLiteral("5 Ann, 0, 0, 0, 0")
        << "REGEDIT4\r\n; kept comment\r\n\r\n" + section +
               "@=\"default\"\r\n\"TopName0\"=\"Ann\"\r\n\"TopScore0\"=\"5\"\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"Count\"=dword:0000002a\r\n\r\n";
}

// A save leaves the file as regedit would export it, and loading it gives the table back.
void TestTopScoreStore::fileIsWhatRegeditExports()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, saved);
    QFETCH(QByteArray, after);
    if (!before.isEmpty())
        writeFile(before);
    testSupport::setTopScores(saved);
    saveTopScores();
    QCOMPARE(fileBytes(), after);
    testSupport::setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    loadTopScores();
    QCOMPARE(describeTopScores(), saved);
}

void TestTopScoreStore::badFilesLoseNothing_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("loads");
    QTest::addColumn<bool>("rewritten"); // a save goes through and keeps every line the file held

    const QByteArray corrupt = header +
                               "\"TopName0\"=\"Ann\"\r\nno registry line\r\n\x01\xff junk\r\n"
                               "\"TopName1\"=Bob\r\n\"TopScore0\"=\"300\"\r\n\"TopScore1\"=\"200\"\r\n";
    const QString good = QStringLiteral("300 Ann, 200 Bob, 0, 0, 0"), empty = QStringLiteral("0, 0, 0, 0, 0");
    QTest::newRow("corrupt lines") << int(File) << corrupt << QStringLiteral("300 Ann, 200, 0, 0, 0") << true;
    QTest::newRow("truncated") << int(File) << goodFile.left(goodFile.indexOf("\"TopScore0\"") + 15)
                               << QStringLiteral("0 Ann, 0 Bob, 0, 0, 0") << true;
    QTest::newRow("binary") << int(File) << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << empty << false;
    QTest::newRow("a folder in its place") << int(Folder) << QByteArray() << empty << false;
    QTest::newRow("read-only folder") << int(ReadOnlyFolder) << goodFile << good << false;
    QTest::newRow("unreadable") << int(UnreadableFile) << goodFile << empty << false;
    QTest::newRow("full disk") << int(FullDisk) << goodFile << good << false;
}

// A file that cannot be read, understood or written whole is never written over; one that is
// rewritten keeps every line it held, those not understood included.
void TestTopScoreStore::badFilesLoseNothing()
{
    QFETCH(int, place);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, loads);
    QFETCH(bool, rewritten);
    if (place == Folder)
        QVERIFY(QDir().mkpath(filePath()));
    else
        writeFile(bytes);
    const QByteArray folder = QFile::encodeName(QFileInfo(filePath()).absolutePath());
    if (place == ReadOnlyFolder)
        chmod(folder.constData(), 0555);
    if (place == UnreadableFile)
        chmod(QFile::encodeName(filePath()).constData(), 0);

    // The child loads, adds an entry and saves, as a player without root's rights on a disk that may be full.
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (place == FullDisk) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(bytes.size()), rlim_t(bytes.size())};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        const bool ownRights = place == ReadOnlyFolder || place == UnreadableFile;
        if (ownRights && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        loadTopScores();
        const bool loaded = describeTopScores() == loads;
        topName[2] = "Cy";
        topScore[2] = 150;
        saveTopScores();
        _exit(loaded ? 0 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder.constData(), 0755);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the table did not load as expected");
    if (place == Folder) {
        QVERIFY(QFileInfo(filePath()).isDir());
        return;
    }
    chmod(QFile::encodeName(filePath()).constData(), 0644);
    const QByteArray after = fileBytes();
    if (!rewritten) {
        QCOMPARE(after, bytes);
        return;
    }
    for (const QByteArray &line : bytes.split('\n'))
        QVERIFY2(after.contains(line.trimmed()), line.constData());
    QVERIFY(after.contains("\"TopName2\"=\"Cy\""));
}

QTEST_GUILESS_MAIN(TestTopScoreStore)
#include "tst_topScoreStore.moc"
