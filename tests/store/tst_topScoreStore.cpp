// The top-score store over the registry stand-in: what loads from which stored values, the file a save
// leaves, and whatever a player's folder holds in the file's place and beside it.
#include "platform/registry.h"
#include "state/modInitialize.h"
#include "support/testSupport.h"
#include "topscores/topScoreStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
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
const QByteArray key = "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]";
const QByteArray goodFile = "REGEDIT4\r\n\r\n" + key +
                            "\r\n\"TopName0\"=\"Ann\"\r\n\"TopName1\"=\"Bob\"\r\n"
                            "\"TopScore0\"=\"300\"\r\n\"TopScore1\"=\"200\"\r\n\r\n";

// Text in the Unicode form of regedit's exports.
QByteArray utf16(const QString &text)
{
    return "\xFF\xFE" + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

void storeValues(const Values &values)
{
    HKEY key;
    QCOMPARE(RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key), ERROR_SUCCESS);
    for (const auto &[name, text] : values)
        RegSetValueExA(key, name.constData(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.constData()),
                       DWORD(text.size() + 1));
    RegCloseKey(key);
}

// What lies in and beside the file's place. Root reads and writes regardless of a file's rights, so a run
// as root gives up its rights for the cases that need them.
enum Surroundings {
    File,
    Copies,
    LinkAtCopy,
    FolderAtCopy,
    HeldLock,
    StoreLink,
    LinkToNothing,
    ReadOnly,
    Folder,
    Fifo,
    Device,
    Oversized,
    ReadOnlyFolder,
    Unreadable,
    FullDisk
};

// Every entry under the folder but the store's own lock file and copy: its kind and rights, its link's
// target, and its contents, or "changed" for those of `changing`.
QStringList listing(const QString &root, const QString &changing)
{
    QStringList entries;
    QDirIterator entry(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (entry.hasNext()) {
        const QString path = entry.next();
        struct stat status {
        };
        lstat(QFile::encodeName(path).constData(), &status);
        QString contents = QFile::symLinkTarget(path);
        QFile file(path);
        if (path == changing)
            contents = QStringLiteral("changed");
        else if (S_ISREG(status.st_mode) && file.open(QIODevice::ReadOnly))
            contents = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
        if (!path.endsWith(QLatin1String(".reg.lock")) && !path.endsWith(QLatin1String(".reg.new")))
            entries << QStringLiteral("%1 %2 %3")
                           .arg(path.mid(root.size()))
                           .arg(status.st_mode, 0, 8)
                           .arg(contents);
    }
    entries.sort();
    return entries;
}

// The kinds of line end that a text holds: a CR and an LF together, a lone LF, a lone CR.
QSet<QString> lineEnds(const QByteArray &text)
{
    QSet<QString> ends;
    for (const QRegularExpressionMatch &end :
         QRegularExpression(QStringLiteral("\r\n|\r|\n")).globalMatch(QString::fromLatin1(text)))
        ends.insert(end.captured());
    return ends;
}

// Loads, puts a new best entry above the others and saves, in a child process as a player would: without
// root's rights where the case needs that, on a disk that may be full. Its status and its stderr.
QPair<int, QString> saveInChild(int surroundings, const QString &loads, qint64 fileSize)
{
    int errors[2];
    if (pipe(errors) != 0)
        return {-1, QStringLiteral("no pipe")};
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        dup2(errors[1], 2);
        if (surroundings == FullDisk) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(fileSize), rlim_t(fileSize)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if ((surroundings == ReadOnlyFolder || surroundings == Unreadable) && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        loadTopScores();
        const bool loaded = describeTopScores() == loads;
        if (!loaded)
            std::fprintf(stderr, "loaded %s\n", qPrintable(describeTopScores()));
        for (int n = TopEntries - 1; n > 0; --n)
            topName[n] = topName[n - 1], topScore[n] = topScore[n - 1];
        topName[0] = "Cy";
        topScore[0] = 400;
        saveTopScores();
        _exit(loaded ? 0 : 2);
    }
    close(errors[1]);
    QByteArray text;
    char buffer[512];
    for (ssize_t got; (got = read(errors[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, got);
    close(errors[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, QString::fromUtf8(text)};
}

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
    void hostileSurroundings_data();
    void hostileSurroundings();

private:
    QString filePath() const
    {
        return m_folder->path() + QStringLiteral("/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg");
    }
    void writeFile(const QByteArray &bytes, const QString &path = QString());
    QByteArray fileBytes(const QString &path = QString()) const;
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

void TestTopScoreStore::writeFile(const QByteArray &bytes, const QString &path)
{
    QFile file(path.isEmpty() ? filePath() : path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray TestTopScoreStore::fileBytes(const QString &path) const
{
    QFile file(path.isEmpty() ? filePath() : path);
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
    // The byte limit counts UTF-8: 127 letters of two bytes fit, 128 do not.
    const QByteArray cyrillic = QString(127, QChar(0x416)).toUtf8();
    QTest::newRow("a name of 254 UTF-8 bytes")
        << Values{{"TopName2", cyrillic}, {"TopScore2", "40"}}
        << QString("%1, %1, 40 %2, %1, %1").arg(kept, QString(127, QChar(0x416)));
    QTest::newRow("a name of 256 UTF-8 bytes")
        << Values{{"TopName2", cyrillic + "\xD0\x96"}, {"TopScore2", "40"}}
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

// The first entry writes exactly its two values, in a new file of the form regedit exports. A save skips
// the entries without a score, which keep their values, and an entry whose name no line can hold, whose
// score then goes unwritten too; and it leaves any other value as it was.
void TestTopScoreStore::savesTheEntriesWithAScore()
{
    testSupport::setTopScores(QStringLiteral("120 Ann, 0, 0, 0, 0"));
    saveTopScores();
    QCOMPARE(fileBytes(), utf16("Windows Registry Editor Version 5.00\r\n\r\n" + key +
                                "\r\n\"TopName0\"=\"Ann\"\r\n\"TopScore0\"=\"120\"\r\n\r\n"));

    storeValues({{"TopName3", "Old"}, {"TopScore3", "70"}, {"Colour", "green"}});
    testSupport::setTopScores(QStringLiteral("900 Ann, 800 Bob, 700 C\ry, 0 New, -5"));
    saveTopScores();
    testSupport::setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    loadTopScores();
    QCOMPARE(describeTopScores(), QStringLiteral("900 Ann, 800 Bob, 0, 70 Old, 0"));
    QVERIFY(fileBytes().contains(utf16("\"Colour\"=\"green\"\r\n").mid(2)));
}

void TestTopScoreStore::fileAsRegeditWritesIt_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("loads");
    QTest::addColumn<QString>("saved"); // then loads again as saved
    QTest::addColumn<QByteArray>("after");

    const QByteArray annFive = "\r\n\"TopName0\"=\"Ann\"\r\n\"TopScore0\"=\"5\"\r\n";
    const QString empty = QStringLiteral("0, 0, 0, 0, 0"), ann = QStringLiteral("5 Ann, 0, 0, 0, 0");
    QTest::newRow("a new file, with names that need escapes and names in every script")
        << QByteArray() << empty
        << QStringLiteral("5 Zoë \"Ace\" €, 4 C:\\Games\\, 3 Жанна, 2 λόγος, 1 漢字😀")
        << utf16(QStringLiteral(
                     "Windows Registry Editor Version 5.00\r\n\r\n%1\r\n\"TopName0\"=\"Zoë \\\"Ace\\\" "
                     "€\"\r\n\"TopName1\"=\"C:\\\\Games\\\\\"\r\n\"TopName2\"=\"Жанна\"\r\n\"TopName3\"="
                     "\"λόγος\"\r\n\"TopName4\"=\"漢字😀\"\r\n\"TopScore0\"=\"5\"\r\n\"TopScore1\"=\"4\"\r\n"
                     "\"TopScore2\"=\"3\"\r\n\"TopScore3\"=\"2\"\r\n\"TopScore4\"=\"1\"\r\n\r\n")
                     .arg(key));
    const QByteArray others = "REGEDIT4\r\n\r\n; caf\xE9 \x80\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                              "\"Count\"=dword:0000002a\r\n\r\n" +
                              key + "\r\n@=\"default\"\r\n\"TopName1\"=hex:41,\\\r\n  42\r\n";
    const QByteArray othersAfter = "\r\n\r\n; caf\xE9 \x80\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                                   "\"Count\"=dword:0000002a\r\n\r\n" +
                                   key +
                                   "\r\n@=\"default\"\r\n\"TopName0\"=\"%1\"\r\n\"TopName1\"=\"Ann\"\r\n"
                                   "\"TopScore0\"=\"7\"\r\n\"TopScore1\"=\"5\"\r\n";
    QTest::newRow("REGEDIT4 kept while every name fits it; a value of two lines and another type set over")
        << others << empty << QStringLiteral("7 Zoë €, 5 Ann, 0, 0, 0")
        << "REGEDIT4" + QString::fromLatin1(othersAfter).arg(QStringLiteral("Zo\xEB \x80")).toLatin1();
    QTest::newRow("REGEDIT4 written whole in the Unicode form for a name beyond it")
        << others << empty << QStringLiteral("7 Жанна, 5 Ann, 0, 0, 0")
        << utf16("Windows Registry Editor Version 5.00" + QString::fromLatin1(othersAfter)
                                                              .replace(QChar(0x80), QChar(0x20AC))
                                                              .arg(QStringLiteral("Жанна")));
    QTest::newRow("a damaged hex value before the key")
        << "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"x\"=hex:01,\\\\\r\n\r\n" + key + annFive
        << ann << QString() << QByteArray();
    QTest::newRow("a damaged hex value just before the key")
        << "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"x\"=hex:01,\\\\\r\n" + key + annFive << ann
        << QString() << QByteArray();
    QTest::newRow("a value after a damaged hex value")
        << "REGEDIT4\r\n" + key + "\r\n\"x\"=hex:01,\\\r\n\"TopName0\"=\"Ann\"\r\n\"TopScore0\"=\"5\"\r\n"
        << ann << QString() << QByteArray();
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
    QTest::newRow("127 accented letters, 127 bytes here and 254 in UTF-8")
        << "REGEDIT4\r\n" + key + "\r\n\"TopName0\"=\"" + QByteArray(127, '\xE9') +
               "\"\r\n\"TopScore0\"=\"5\"\r\n"
        << QStringLiteral("5 %1, 0, 0, 0, 0").arg(QString(127, QChar(0xE9))) << QString() << QByteArray();
    QTest::newRow("UTF-8 with a byte-order mark, new lines ending as their neighbours")
        << "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + key +
               "\n\"TopName0\"=\"Zo\xC3\xAB\"\n\"TopScore0\"=\"5\"\n"
        << QStringLiteral("5 Zoë, 0, 0, 0, 0") << QStringLiteral("5 Zoë, 4 Ж, 0, 0, 0")
        << "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + key +
               "\n\"TopName0\"=\"Zo\xC3\xAB\"\n\"TopName1\"=\"\xD0\x96\"\n\"TopScore0\"="
               "\"5\"\n\"TopScore1\"=\"4\"\n";
    // Every letter of the code page, as the system's own converter reads it, read and written back as it
    // stands; the five bytes the code page leaves undefined are left out.
    QByteArray low, high;
    for (int byte = 0x80; byte < 0x100; ++byte) {
        if (!QByteArray("\x81\x8D\x8F\x90\x9D").contains(char(byte)))
            (byte < 0xA0 ? low : high) += char(byte);
    }
    QStringDecoder windows1252("windows-1252");
    const QString letters = QStringLiteral("5 %1, 4 %2, 0, 0, 0").arg(windows1252(low), windows1252(high));
    const QByteArray everyLetter = "REGEDIT4\r\n\r\n" + key + "\r\n\"TopName0\"=\"" + low +
                                   "\"\r\n\"TopName1\"=\"" + high +
                                   "\"\r\n\"TopScore0\"=\"5\"\r\n\"TopScore1\"=\"4\"\r\n";
    QTest::newRow("every letter of Windows-1252") << everyLetter << letters << letters << everyLetter;
    // Windows' own regedit names the key as Windows does, SOFTWARE in capitals.
    QTest::newRow("regedit's Unicode export")
        << utf16(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brindlow\\Tallyfive\\1.2]\r\n"
                                "\"TopName0\"=\"Li \u674E\"\r\n\"TopScore0\"=\"640\"\r\n"))
        << QStringLiteral("640 Li \u674E, 0, 0, 0, 0") << QString() << QByteArray();
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

void TestTopScoreStore::hostileSurroundings_data()
{
    QTest::addColumn<int>("surroundings");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("loads");
    QTest::addColumn<QString>("message"); // on stderr; the save goes through without one

    const QString good = QStringLiteral("300 Ann, 200 Bob, 0, 0, 0"), empty = QStringLiteral("0, 0, 0, 0, 0");
    const auto row = [](const char *tag, Surroundings surroundings, const QByteArray &bytes,
                        const QString &loads, const char *message = "") {
        QTest::newRow(tag) << int(surroundings) << bytes << loads << QString::fromUtf8(message);
    };
    row("a player's copies beside the file", Copies, goodFile, good);
    row("a link at the name of the save's copy", LinkAtCopy, goodFile, good);
    row("a folder at the name of the save's copy", FolderAtCopy, goodFile, good, "a directory stands at");
    const QByteArray keeper = "REGEDIT4\r\n" + key +
                              "\r\n\"TopName0\"=\"Kee%1per\"\r\n\"TopScore0\"=\"777\"\r\n"
                              "\"TopName1\"=\"Other\"\r\n\"TopScore1\"=\"500\"\r\n";
    // A name loads as a program reading it as text finds it: up to its zero byte; and a CR ends its line,
    // which leaves the name unread, as regedit reads it.
    row("a zero byte in a stored name", File, QByteArray(keeper).replace("%1", QByteArray(1, '\0')),
        QStringLiteral("777 Kee, 500 Other, 0, 0, 0"));
    row("a CR in a stored name", File, QByteArray(keeper).replace("%1", "\r"),
        QStringLiteral("777, 500 Other, 0, 0, 0"));
    row("LF line ends", File, QByteArray(goodFile).replace("\r\n", "\n"), good);
    row("CR line ends", File, QByteArray(goodFile).replace("\r\n", "\r"), good);
    row("CR CR LF line ends", File, QByteArray(goodFile).replace("\r\n", "\r\r\n"), good);
    row("mixed line ends", File,
        "REGEDIT4\n\r" + key + "\r\"TopName0\"=\"Ann\"\r\r\n\"TopName1\"=\"Bob\"\n" +
            "\"TopScore0\"=\"300\"\r\n\"TopScore1\"=\"200\"",
        good);
    row("a CR after the key", File, QByteArray(goodFile).replace(key + "\r\n", key + "\r"), good);
    row("another copy of the game holding the lock", HeldLock, goodFile, good,
        "has been locked by another copy");
    row("a link to a file in another folder", StoreLink, goodFile, good);
    row("a link to nothing", LinkToNothing, QByteArray(), empty, "is a link to nothing");
    row("read-only", ReadOnly, goodFile, good, "is read-only");
    row("a folder in its place", Folder, QByteArray(), empty, "is a directory");
    row("a FIFO in its place", Fifo, QByteArray(), empty, "is a FIFO");
    row("a device in its place", Device, QByteArray(), empty, "is a device");
    row("oversized", Oversized, QByteArray(), empty, "is larger than 16 MiB");
    row("a read-only folder", ReadOnlyFolder, goodFile, good, "cannot be locked");
    row("unreadable", Unreadable, goodFile, empty, "cannot be read");
    row("a full disk", FullDisk, goodFile, good, "could not be written in full");
    row("corrupt lines", File, goodFile + "no registry line\r\n\x01\xff junk\r\n\"Colour\"=green\r\n", good);
    row("no line end after the last line", File, goodFile.chopped(4), good);
    row("binary", File, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), empty, "is not a registry export");
    row("invalid UTF-8 after its mark", File, QByteArray("\xEF\xBB\xBFREGEDIT4\r\n\xC3("), empty);
    row("UTF-16 cut inside a character", File,
        utf16(QStringLiteral("Windows Registry Editor Version 5.00\r\n")) + 'A', empty, "half a character");
}

// What lies in the file's place and beside it, laid there before a copy of the game loads, enters a new
// best entry and saves. Each earlier score is still stored under its own name, every line of the file is
// kept with its own line end, stderr says why a save did not go through, and nothing else in the folder
// changes but the file itself, through a link to it too, and the store's own lock file and copy.
void TestTopScoreStore::hostileSurroundings()
{
    QFETCH(int, surroundings);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, loads);
    QFETCH(QString, message);
    const QString root = m_folder->path(), folder = QFileInfo(filePath()).absolutePath();
    QString written = filePath();
    QDir().mkpath(folder);
    if (surroundings == StoreLink || surroundings == LinkToNothing) {
        written = root + QStringLiteral("/elsewhere/scores.reg");
        QVERIFY(QFile::link(QStringLiteral("../../elsewhere/scores.reg"), filePath()));
    }
    if (!bytes.isEmpty())
        writeFile(bytes, written);
    if (surroundings == LinkToNothing)
        QFile::remove(written);
    for (const char *copy : {".backup", ".before", ".orig01", ".Ab12Cd"})
        if (surroundings == Copies)
            writeFile(copy, filePath() + QLatin1String(copy));
    writeFile("precious", folder + QStringLiteral("/victim"));
    if (surroundings == LinkAtCopy)
        QVERIFY(QFile::link(QStringLiteral("victim"), filePath() + QStringLiteral(".new")));
    if (surroundings == FolderAtCopy || surroundings == Folder)
        QVERIFY(QDir().mkpath(surroundings == Folder ? filePath() : filePath() + QStringLiteral(".new")));
    const QMap<int, QString> special{{Fifo, "fifo"}, {Device, "device"}, {Oversized, "oversized"}};
    if (special.contains(surroundings))
        QVERIFY(testSupport::layBadFile(filePath(), special[surroundings], 17 << 20));
    const QByteArray path = QFile::encodeName(filePath());
    if (surroundings == ReadOnly || surroundings == Unreadable)
        chmod(path.constData(), surroundings == ReadOnly ? 0444 : 0);
    if (surroundings == ReadOnlyFolder)
        chmod(QFile::encodeName(folder).constData(), 0555);
    const QString changing = message.isEmpty() ? written : QString();
    const QStringList before = listing(root, changing);

    std::unique_ptr<testSupport::HeldStoreLock> held;
    if (surroundings == HeldLock)
        held = std::make_unique<testSupport::HeldStoreLock>();
    const auto [status, errors] = saveInChild(surroundings, loads, bytes.size());
    held.reset();
    const QStringList after = listing(root, changing);
    chmod(QFile::encodeName(folder).constData(), 0755);
    QVERIFY2(status == 0, qPrintable(errors));
    QVERIFY2(message.isEmpty() ? errors.isEmpty()
                               : errors.startsWith(QLatin1String("tallyfive: ")) && errors.contains(message),
             qPrintable(errors));
    QCOMPARE(after, before);
    if (!message.isEmpty())
        return;
    QStringList entries = loads.split(QStringLiteral(", ")).mid(0, TopEntries - 1);
    entries.prepend(QStringLiteral("400 Cy"));
    testSupport::setTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    loadTopScores();
    QCOMPARE(describeTopScores(), entries.join(QStringLiteral(", ")));
    const QByteArray saved = fileBytes(written);
    if (!bytes.startsWith("REGEDIT4"))
        return;
    QVERIFY(lineEnds(bytes).contains(lineEnds(saved)));
    QCOMPARE(saved.count(key), bytes.count(key));
    const QRegularExpression line(QStringLiteral("[^\r\n]*(\r\n|\r|\n)"));
    for (const QRegularExpressionMatch &kept : line.globalMatch(QString::fromLatin1(bytes)))
        QVERIFY2(kept.captured().startsWith(QLatin1String("\"Top")) ||
                     saved.contains(kept.captured().toLatin1()),
                 qPrintable(kept.captured()));
}

QTEST_GUILESS_MAIN(TestTopScoreStore)
#include "tst_topScoreStore.moc"
