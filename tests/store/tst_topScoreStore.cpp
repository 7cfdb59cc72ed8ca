// The top-score store over the registry stand-in: what loads from which stored values, what a save
// writes, the file it leaves, and the bad files a player's disk may hold in place of a good one.
#include "platform/registry.h"
#include "state/modInitialize.h"
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
enum Place { File, Folder, Fifo, Device, Oversized, ReadOnlyFolder, UnreadableFile, FullDisk };

} // namespace

class TestTopScoreStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadsWhatIsStored_data();
    void loadsWhatIsStored();
    void savesTheEntriesWithAScore();
    void fileAsRegeditWritesIt_data();
    void fileAsRegeditWritesIt();
    void saveLeavesNothingBehind();
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

void TestTopScoreStore::fileAsRegeditWritesIt_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("loads");
    QTest::addColumn<QString>("saved"); // then loads again as saved
    QTest::addColumn<QByteArray>("after");

    const QByteArray key = "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]";
    const QByteArray annFive = "\r\n\"TopName0\"=\"Ann\"\r\n\"TopScore0\"=\"5\"\r\n";
    const QString empty = QStringLiteral("0, 0, 0, 0, 0"), ann = QStringLiteral("5 Ann, 0, 0, 0, 0");
    QTest::newRow("a new file, with names that need escapes and Windows-1252")
        << QByteArray() << empty << QStringLiteral("3 Zoë \"Ace\" €, 2 C:\\Games\\, 0, 0, 0")
        << "REGEDIT4\r\n\r\n" + key +
               "\r\n\"TopName0\"=\"Zo\xEB \\\"Ace\\\" \x80\"\r\n\"TopName1\"=\"C:\\\\Games\\\\\"\r\n"
               "\"TopScore0\"=\"3\"\r\n\"TopScore1\"=\"2\"\r\n\r\n";
    const QByteArray others = "REGEDIT4\r\n\r\n; kept comment\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                              "\"Count\"=dword:0000002a\r\n\r\n" +
                              key + "\r\n@=\"default\"\r\n\"TopName1\"=hex:41\r\n";
    QTest::newRow("other keys, values and comments kept, a value of another type set over")
        << others << empty << QStringLiteral("7 Bo, 5 Ann, 0, 0, 0")
        << "REGEDIT4\r\n\r\n; kept "
           "comment\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"Count\"=dword:0000002a\r\n\r\n" +
               key +
               "\r\n@=\"default\"\r\n\"TopName0\"=\"Bo\"\r\n\"TopName1\"=\"Ann\"\r\n\"TopScore0\"=\"7\"\r\n"
               "\"TopScore1\"=\"5\"\r\n";
    QTest::newRow("a damaged hex value before the key")
        << "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"x\"=hex:01,\\\\\r\n\r\n" + key + annFive
        << ann << QString() << QByteArray();
    QTest::newRow("a damaged hex value just before the key")
        << "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"x\"=hex:01,\\\\\r\n" + key + annFive << ann
        << QString() << QByteArray();
    QTest::newRow("values after a deleted key")
        << "REGEDIT4\r\n" + key + annFive +
               "[-HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"TopName1\"=\"Ghost\"\r\n"
        << ann << QString() << QByteArray();
    QTest::newRow("the table's key deleted after it")
        << "REGEDIT4\r\n" + key + annFive + "[-HKEY_LOCAL_MACHINE\\Software\\Brindlow]\r\n"
        << empty << ann
        << "REGEDIT4\r\n" + key + annFive + "[-HKEY_LOCAL_MACHINE\\Software\\Brindlow]\r\n\r\n" + key +
               annFive + "\r\n";
    QTest::newRow("a key with a comment")
        << "REGEDIT4\r\n" + key + " ; the table" + annFive << ann << QString() << QByteArray();
    QTest::newRow("200 accented letters, 200 bytes")
        << "REGEDIT4\r\n" + key + "\r\n\"TopName0\"=\"" + QByteArray(200, '\xE9') +
               "\"\r\n\"TopScore0\"=\"5\"\r\n"
        << QStringLiteral("5 %1, 0, 0, 0, 0").arg(QString(200, QChar(0xE9))) << QString() << QByteArray();
    QTest::newRow("UTF-8 with a byte-order mark")
        << "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + key +
               "\n\"TopName0\"=\"Zo\xC3\xAB\"\n\"TopScore0\"=\"5\"\n"
        << QStringLiteral("5 Zoë, 0, 0, 0, 0") << QStringLiteral("5 Zoë, 4 Å, 0, 0, 0")
        << "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + key +
               "\n\"TopName0\"=\"Zo\xC3\xAB\"\n\"TopName1\"=\"\xC3\x85\"\r\n\"TopScore0\"="
               "\"5\"\n\"TopScore1\"=\"4\"\r\n";
    // Windows' own regedit names the key as Windows does, SOFTWARE in capitals.
    const QString unicode = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brindlow\\Tallyfive\\1.2]\r\n"
                                           "\"TopName0\"=\"Li \u674E\"\r\n\"TopScore0\"=\"640\"\r\n");
    const auto utf16 = [](const QString &text) {
        return "\xFF\xFE" + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    };
    QTest::newRow("regedit's Unicode export")
        << utf16(unicode) << QStringLiteral("640 Li ?, 0, 0, 0, 0") << QString() << QByteArray();
}

// What loads from a file, what a save leaves in it, and that the saved table loads again.
void TestTopScoreStore::fileAsRegeditWritesIt()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, loads);
    QFETCH(QString, saved);
    QFETCH(QByteArray, after);
    if (!before.isEmpty())
        writeFile(before);
    loadTopScores();
    QCOMPARE(describeTopScores(), loads);
    if (saved.isEmpty())
        return;
    testSupport::setTopScores(saved);
    saveTopScores();
    QCOMPARE(fileBytes(), after);
    testSupport::setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    loadTopScores();
    QCOMPARE(describeTopScores(), saved);
}

// A save leaves no copy of the file behind, its own or one an earlier version left when it was ended
// half-way, and refuses a name that would break its line.
void TestTopScoreStore::saveLeavesNothingBehind()
{
    writeFile(goodFile);
    for (const char *copy : {".reg.new", ".reg.Ab12Cd"})
        QFile(filePath().replace(QStringLiteral(".reg"), QLatin1String(copy))).open(QIODevice::WriteOnly);
    HKEY key;
    QCOMPARE(RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key), ERROR_SUCCESS);
    QCOMPARE(RegSetValueExA(key, "Top\nName", 0, REG_SZ, reinterpret_cast<const BYTE *>("x"), 2),
             ERROR_INVALID_PARAMETER);
    QCOMPARE(RegSetValueExA(key, "TopName4", 0, REG_SZ, reinterpret_cast<const BYTE *>("Eve"), 4),
             ERROR_SUCCESS);
    QCOMPARE(RegCloseKey(key), ERROR_SUCCESS);
    const QStringList left = QDir(QFileInfo(filePath()).absolutePath()).entryList(QDir::Files);
    QCOMPARE(left, QStringList({"HKEY_LOCAL_MACHINE.reg", "HKEY_LOCAL_MACHINE.reg.lock"}));
    loadTopScores();
    QCOMPARE(describeTopScores(), QStringLiteral("300 Ann, 200 Bob, 0, 0, 0 Eve"));
}

void TestTopScoreStore::badFilesLoseNothing_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("loads");
    QTest::addColumn<bool>("rewritten"); // a save goes through and keeps every line the file held

    const QByteArray corrupt = header +
                               "\"TopName0\"=\"Ann\"\r\nno registry line\r\n\x01\xff junk\r\n"
                               "\"Colour\"=green\r\n\"TopScore0\"=\"300\"\r\n\"TopScore1\"=\"200\"\r\n";
    const QString good = QStringLiteral("300 Ann, 200 Bob, 0, 0, 0"), empty = QStringLiteral("0, 0, 0, 0, 0");
    QTest::newRow("corrupt lines") << int(File) << corrupt << QStringLiteral("300 Ann, 200, 0, 0, 0") << true;
    QTest::newRow("truncated") << int(File) << goodFile.left(goodFile.indexOf("\"TopScore0\"") + 15)
                               << QStringLiteral("0 Ann, 0 Bob, 0, 0, 0") << true;
    QTest::newRow("binary") << int(File) << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << empty << false;
    QTest::newRow("invalid UTF-8 after its mark")
        << int(File) << QByteArray("\xEF\xBB\xBFREGEDIT4\r\n\xC3(") << empty << true;
    QTest::newRow("UTF-16 cut inside a character")
        << int(File) << QByteArray("\xFF\xFER\0E\0G\0\r", 9) << empty << false;
    QTest::newRow("a folder in its place") << int(Folder) << QByteArray() << empty << false;
    QTest::newRow("a FIFO in its place") << int(Fifo) << QByteArray() << empty << false;
    QTest::newRow("a device in its place") << int(Device) << QByteArray() << empty << false;
    QTest::newRow("oversized") << int(Oversized) << goodFile << empty << false;
    QTest::newRow("read-only folder") << int(ReadOnlyFolder) << goodFile << good << false;
    QTest::newRow("unreadable") << int(UnreadableFile) << goodFile << empty << false;
    QTest::newRow("full disk") << int(FullDisk) << goodFile << good << false;
}

// What stands in the file's place, laid there: a file that cannot be read, understood or written whole
// is never written over; one that is rewritten keeps every line it held, those not understood included.
void TestTopScoreStore::badFilesLoseNothing()
{
    QFETCH(int, place);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, loads);
    QFETCH(bool, rewritten);
    const QByteArray path = QFile::encodeName(filePath());
    QDir().mkpath(QFileInfo(filePath()).absolutePath());
    if (place == Folder)
        QVERIFY(QDir().mkpath(filePath()));
    else if (place == Fifo)
        QCOMPARE(mkfifo(path.constData(), 0644), 0);
    else if (place == Device)
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), filePath()));
    else
        writeFile(bytes);
    if (place == Oversized)
        QVERIFY(QFile(filePath()).resize(17 << 20)); // sparse: no time or disk spent
    const QByteArray folder = QFile::encodeName(QFileInfo(filePath()).absolutePath());
    if (place == ReadOnlyFolder)
        chmod(folder.constData(), 0555);
    if (place == UnreadableFile)
        chmod(path.constData(), 0);
    struct stat before {
    };
    lstat(path.constData(), &before);

    // The child loads, adds an entry and saves, as a player without root's rights on a disk that may
    // be full.
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
    struct stat after {
    };
    lstat(path.constData(), &after);
    QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    if (place == Folder || place == Fifo || place == Device || place == Oversized)
        return;
    chmod(path.constData(), 0644);
    if (!rewritten) {
        QCOMPARE(fileBytes(), bytes);
        return;
    }
    for (const QByteArray &line : bytes.split('\n'))
        QVERIFY2(fileBytes().contains(line.trimmed()), line.constData());
    QVERIFY(fileBytes().contains("\"TopName2\"=\"Cy\""));
}

QTEST_GUILESS_MAIN(TestTopScoreStore)
#include "tst_topScoreStore.moc"
