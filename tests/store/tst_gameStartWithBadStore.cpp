// The game starts and deals as usual over every kind of bad registry file, with the table holding
// what could be read, and leaves the file as it found it.
#include "badStoreFiles.h"
#include "game/FrmMain.h"
#include "game/modInitialize.h"
#include "support/testSupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace modInitialize;

class TestGameStartWithBadStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testSupport::useTemporaryDataFolder(); }
    void startsNormally_data();
    void startsNormally();
};

void TestGameStartWithBadStore::startsNormally_data()
{
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < badStoreFiles::badFiles().size(); ++i)
        QTest::newRow(badStoreFiles::badFiles()[i].name) << int(i);
}

void TestGameStartWithBadStore::startsNormally()
{
    QFETCH(int, index);
    const badStoreFiles::BadFile &file = badStoreFiles::badFiles()[size_t(index)];
    if (badStoreFiles::needsOtherUser(file) && geteuid() == 0)
        QSKIP("root reads and writes it regardless; tst_topScoreStore runs this file without root");
    QTemporaryDir dataFolder;
    qputenv("XDG_DATA_HOME", dataFolder.path().toLocal8Bit());
    const std::string path = badStoreFiles::registryFilePath();
    badStoreFiles::lay(file, path);
    const std::string before = badStoreFiles::snapshot(path);
    std::fill(std::begin(topName), std::end(topName), std::string());
    std::fill(std::begin(topScore), std::end(topScore), int16_t(0));
    delete frmMain;
    frmMain = nullptr;

    Main();

    QVERIFY(frmMain);
    QVERIFY(QTest::qWaitForWindowExposed(frmMain));
    QCOMPARE(int(packPosition), 1);
    QCOMPARE(int(gridState[2][2]), 2);
    for (size_t n = 0; n < 5; ++n) {
        const badStoreFiles::Entry expected =
            n < file.loads.size() ? file.loads[n] : badStoreFiles::Entry{"", 0};
        QCOMPARE(QByteArray::fromStdString(topName[n]), QByteArray::fromStdString(expected.name));
        QCOMPARE(int(topScore[n]), int(expected.score));
    }
    QVERIFY(badStoreFiles::snapshot(path) == before);
    chmod(path.substr(0, path.rfind('/')).c_str(), 0755);
}

QTEST_MAIN(TestGameStartWithBadStore)
#include "tst_gameStartWithBadStore.moc"
