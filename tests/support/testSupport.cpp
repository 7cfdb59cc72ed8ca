#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/ShapeControl.h"
#include "controls/palette.h"
#include "game/FrmMain.h"
#include "platform/loadPicture.h"
#include "platform/testHooks.h"
#include "state/modInitialize.h"
#include "topscores/FrmTopScore.h"
#include "topscores/nameText.h"
#include "topscores/topScoreStore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

using namespace modInitialize;

namespace testSupport
{

int runTests(int argc, char *argv[], std::initializer_list<std::pair<QObject *, Needs>> objects)
{
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    const bool xServer = QGuiApplication::platformName() == QLatin1String("xcb");
    const bool managed = xServer && !qEnvironmentVariableIsEmpty("TALLYFIVE_WINDOW_MANAGER");
    int failed = 0;
    for (const auto &[tests, needs] : objects) {
        if (needs == Needs::Nothing || (needs == Needs::XServer && xServer) || managed)
            failed += QTest::qExec(tests, argc, argv);
    }
    return failed;
}

void useTemporaryDataFolder()
{
    static QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit());
}

static uint64_t fixedReading;

static uint64_t readFixedClock()
{
    return fixedReading;
}

void fixClock(uint64_t reading)
{
    fixedReading = reading;
    platform::setClock(readFixedClock);
}

FrmMain *openGame()
{
    if (!frmMain) {
        Main();
        if (!QTest::qWaitForWindowExposed(frmMain, 20000))
            qFatal("the game window was never shown");
    } else {
        frmMain->Form_Load();
    }
    frmMain->activateWindow();
    // Active, and placed where the program puts it once a window manager has framed it.
    if (!QTest::qWaitForWindowActive(frmMain, 20000) ||
        !QTest::qWaitFor([] { return !frmMain->findChild<QObject *>(QStringLiteral("placingWhenFramed")); }))
        qFatal("the game window did not become active and placed");
    return frmMain;
}

void movePointer(QPoint position)
{
    QTest::mouseMove(frmMain->windowHandle(), position);
}

void hoverCell(int index)
{
    // Through the gap to the left of the cell first, as a real pointer would come, then onto it.
    const QRect cell = frmMain->imgCard[index]->geometry();
    movePointer(QPoint(cell.left() - 3, cell.top() + 20));
    movePointer(cell.center());
}

void clickWaitingCard()
{
    // Pressed and released where the waiting card lies, so the click reaches whatever is there.
    const QPoint centre = frmMain->imgPack->geometry().center();
    QTest::mouseClick(frmMain->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
}

void placeOn(int index)
{
    hoverCell(index);
    clickWaitingCard();
}

void pressUndo()
{
    sendKeys(QStringLiteral("+Ctrl/c +Z/c -Z/c -Ctrl"));
}

void sendKeys(const QString &steps)
{
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifier own; // the modifier the key itself is, if any
    };
    const QMap<QString, Key> keys = {{QStringLiteral("Ctrl"), {Qt::Key_Control, Qt::ControlModifier}},
                                     {QStringLiteral("Shift"), {Qt::Key_Shift, Qt::ShiftModifier}},
                                     {QStringLiteral("Alt"), {Qt::Key_Alt, Qt::AltModifier}},
                                     {QStringLiteral("Z"), {Qt::Key_Z, Qt::NoModifier}},
                                     {QStringLiteral("A"), {Qt::Key_A, Qt::NoModifier}}};
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool repeated = step.endsWith(QLatin1Char('*'));
        const QStringList parts = step.mid(1, step.size() - (repeated ? 2 : 1)).split(QLatin1Char('/'));
        const QString held = parts.value(1);
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ControlModifier, held.contains(QLatin1Char('c')));
        modifiers.setFlag(Qt::ShiftModifier, held.contains(QLatin1Char('s')));
        modifiers.setFlag(Qt::AltModifier, held.contains(QLatin1Char('a')));
        if (!keys.contains(parts[0]))
            qFatal("no key %s in the test's keys", qPrintable(parts[0]));
        const Key key = keys[parts[0]];
        // A modifier key's event is built with the state before it, as the window system does;
        // QKeyEvent::modifiers() then reports the state after it.
        const auto type = step.startsWith(QLatin1Char('+')) ? QEvent::KeyPress : QEvent::KeyRelease;
        QKeyEvent event(type, key.key, modifiers ^ key.own, QString(), repeated);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : frmMain, &event);
    }
}

double contrast(const QColor &one, const QColor &other)
{
    const auto luminance = [](const QColor &colour) {
        const auto linear = [](double c) {
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double a = luminance(one) + 0.05, b = luminance(other) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

QImage cardPicture(int suit, int rank)
{
    QString problem;
    return platform::LoadPicture(frmMain->getCardImageFilename(suit, rank), QSize(71, 96), &problem);
}

QList<int> availableCells()
{
    QList<int> cells;
    for (int i = 0; i < CellCount; ++i) {
        if (gridState[i % 5][i / 5] == Available)
            cells.append(i);
    }
    return cells;
}

static QString pictureText(const QImage &picture)
{
    return picture.isNull() ? QStringLiteral("none")
                            : QString::number(qHashBits(picture.constBits(), size_t(picture.sizeInBytes())));
}

Snapshot takeSnapshot()
{
    Snapshot s;
    for (int i = 0; i < CellCount; ++i) {
        const int x = i % 5, y = i / 5;
        const ShapeControl *shape = frmMain->shpEmpty[i];
        s[QStringLiteral("cell (%1, %2)").arg(x).arg(y)] =
            QStringLiteral("state %1, card %2/%3, picture %4, shape %5 %6 %7 %8 %9")
                .arg(gridState[x][y])
                .arg(gridSuit[x][y])
                .arg(gridRank[x][y])
                .arg(pictureText(frmMain->imgCard[i]->picture()))
                .arg(shape->shape())
                .arg(shape->borderColor(), 6, 16)
                .arg(shape->fillColor(), 6, 16)
                .arg(shape->fillStyle())
                .arg(shape->backStyle());
    }
    for (int k = 0; k < GridSize; ++k)
        s[QStringLiteral("line scores %1").arg(k)] =
            QStringLiteral("row %1, column %2").arg(rowScore[k]).arg(columnScore[k]);
    s[QStringLiteral("total")] = QString::number(totalScore);
    s[QStringLiteral("pack position")] = QString::number(packPosition);
    s[QStringLiteral("last move's column")] = QString::number(lastCellX);
    s[QStringLiteral("target cell")] = QString::number(targetCell);
    s[QStringLiteral("total label")] = frmMain->lblTotal->text();
    s[QStringLiteral("combination label")] = frmMain->lblCombination->text();
    s[QStringLiteral("waiting card")] = pictureText(frmMain->imgPack->picture());
    s[QStringLiteral("next card")] = pictureText(frmMain->imgNextCard->picture());
    return s;
}

QString differences(const Snapshot &a, const Snapshot &b)
{
    QStringList found;
    for (auto field = a.begin(); field != a.end(); ++field) {
        if (b.value(field.key()) != field.value())
            found << QStringLiteral("%1: \"%2\" -> \"%3\"")
                         .arg(field.key(), field.value(), b.value(field.key()));
    }
    return found.join(QStringLiteral("; "));
}

QString differencesAfterUndo(const Snapshot &beforeMove, int x, int y)
{
    // Revising the cell again changes nothing when the undo left the scores and the label right.
    Snapshot undone = takeSnapshot();
    frmMain->reviseScore(x, y);
    const QString revised = differences(undone, takeSnapshot());
    if (!revised.isEmpty())
        return QStringLiteral("not revised: ") + revised;
    if (lastCellX != -1)
        return QStringLiteral("the move is still recorded");
    for (const char *field : {"combination label", "last move's column"})
        undone[QLatin1String(field)] = beforeMove[QLatin1String(field)];
    return differences(beforeMove, undone);
}

static bool touchesCard(int x, int y)
{
    const int dx[] = {0, 0, -1, 1};
    const int dy[] = {-1, 1, 0, 0};
    for (int d = 0; d < 4; ++d) {
        const int nx = x + dx[d];
        const int ny = y + dy[d];
        if (nx >= 0 && nx < GridSize && ny >= 0 && ny < GridSize && gridState[nx][ny] == Occupied)
            return true;
    }
    return false;
}

static QString checkCell(int x, int y, int &occupied)
{
    const int i = x + 5 * y;
    const int state = gridState[x][y];
    const ShapeControl *shape = frmMain->shpEmpty[i];
    const bool hasPicture = !frmMain->imgCard[i]->picture().isNull();
    const QString where = QStringLiteral("cell (%1, %2): ").arg(x).arg(y);
    if (state == Occupied) {
        ++occupied;
        if (!hasPicture || gridSuit[x][y] < 1 || gridSuit[x][y] > 4 || gridRank[x][y] < 1 ||
            gridRank[x][y] > 13)
            return where + QStringLiteral("occupied without its card");
        if (shape->fillStyle() != ShapeControl::Solid || shape->shape() != ShapeControl::Rectangle)
            return where + QStringLiteral("occupied but not drawn white");
        return {};
    }
    if (hasPicture || gridSuit[x][y] || gridRank[x][y])
        return where + QStringLiteral("empty but holds a card");
    if (state != (touchesCard(x, y) ? Available : Unavailable))
        return where + QStringLiteral("state %1 does not match its neighbours").arg(state);
    if (shape->borderColor() != (state == Available ? palette::availableGrey : palette::ruleGrey))
        return where + QStringLiteral("drawn in the wrong shade");
    return {};
}

QString checkInvariants()
{
    int occupied = 0;
    for (int y = 0; y < GridSize; ++y) {
        for (int x = 0; x < GridSize; ++x) {
            const QString fault = checkCell(x, y, occupied);
            if (!fault.isEmpty())
                return fault;
        }
    }
    if (occupied != packPosition)
        return QStringLiteral("%1 cards on the table at pack position %2").arg(occupied).arg(packPosition);
    int sum = 0;
    for (int k = 0; k < GridSize; ++k)
        sum += rowScore[k] + columnScore[k];
    if (sum != totalScore)
        return QStringLiteral("total %1 is not the sum %2").arg(totalScore).arg(sum);
    const QString expected =
        packPosition == LastCard ? QStringLiteral("Total: %1") : QStringLiteral("Current Score: %1");
    if (frmMain->lblTotal->text() != expected.arg(totalScore))
        return QStringLiteral("total label reads \"%1\"").arg(frmMain->lblTotal->text());
    return {};
}

QString describeTopScores()
{
    QStringList entries;
    for (int n = 0; n < TopEntries; ++n) {
        QString entry = QString::number(topScore[n]);
        if (!topName[n].empty())
            entry += QLatin1Char(' ') + nameToText(topName[n]);
        entries.append(entry);
    }
    return entries.join(QStringLiteral(", "));
}

void setTopScores(const QString &table)
{
    const QStringList entries = table.split(QStringLiteral(", "));
    if (entries.size() != 5)
        qFatal("a top-score table has five entries, not \"%s\"", qPrintable(table));
    for (int n = 0; n < TopEntries; ++n) {
        const qsizetype space = entries[n].indexOf(QLatin1Char(' '));
        topScore[n] = static_cast<int16_t>(entries[n].left(space).toInt());
        topName[n] = space < 0 ? std::string() : textToName(entries[n].mid(space + 1));
    }
}

bool answerTopScoreDialog(const std::function<void()> &open, const std::function<void(FrmTopScore *)> &answer)
{
    bool opened = false;
    // A timer of this call's own, so that when no dialog opens it goes with the call.
    QTimer queued;
    queued.setSingleShot(true);
    QObject::connect(&queued, &QTimer::timeout, [&opened, &answer] {
        auto *dialog = qobject_cast<FrmTopScore *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened = true;
        // A dialog counts as active while its owner still is, so this waits for the dialog itself.
        if (QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
            answer(dialog);
        else
            QTest::qFail("the top-score dialog did not become active", __FILE__, __LINE__);
        // A dialog the answer left open would hold the test forever.
        if (frmTopScore && frmTopScore->isVisible())
            frmTopScore->reject();
    });
    queued.start(0);
    open();
    return opened;
}

void storeTopScores(const QString &table)
{
    QFile::remove(qEnvironmentVariable("XDG_DATA_HOME") +
                  QStringLiteral("/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg"));
    setTopScores(table);
    saveTopScores();
}

// Where the window system has the window's inside now: Qt takes a move as done before a window
// manager has made it.
static QPoint placeInWindowSystem(const QWidget *window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return window->geometry().topLeft();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto cookie = xcb_translate_coordinates(connection, xcb_window_t(window->winId()), root, 0, 0);
    xcb_translate_coordinates_reply_t *reply = xcb_translate_coordinates_reply(connection, cookie, nullptr);
    const QPoint place = reply ? QPoint(reply->dst_x, reply->dst_y) : QPoint(-1, -1);
    std::free(reply);
    return place;
}

bool moveAndSettle(QPoint frameTopLeft)
{
    frmMain->move(frameTopLeft);
    return QTest::qWaitFor([frameTopLeft] {
        return frmMain->frameGeometry().topLeft() == frameTopLeft &&
               placeInWindowSystem(frmMain) == frmMain->geometry().topLeft();
    });
}

bool layBadFile(const QString &path, const QString &kind, qint64 size)
{
    QFile file(path);
    if (kind == QLatin1String("fifo"))
        return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    if (kind == QLatin1String("device"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == QLatin1String("oversized"))
        return file.open(QIODevice::WriteOnly) && file.resize(size);
    // A GIF whose header claims its size, with a few pixels of data.
    const int pixels = size > 0 && size < 65536 ? int(size) : 5000;
    const QByteArray side = QByteArray(1, char(pixels & 0xFF)) + char(pixels >> 8);
    const QByteArray bomb = "GIF89a" + side + side + QByteArray::fromHex("0000002c00000000") + side + side +
                            QByteArray::fromHex("0002024c01003b");
    return kind == QLatin1String("bomb") && file.open(QIODevice::WriteOnly) && file.write(bomb) == 29;
}

HeldStoreLock::HeldStoreLock()
{
    const QString path = qEnvironmentVariable("XDG_DATA_HOME") +
                         QStringLiteral("/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg.lock");
    QDir().mkpath(QFileInfo(path).absolutePath());
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0)
        qFatal("no pipes for the lock's holder");
    m_holder = fork();
    if (m_holder == 0) {
        // Says once it has the lock, then holds it until the test closes its end of the pipe.
        close(ready[0]);
        close(release[1]);
        const int file = open(QFile::encodeName(path).constData(), O_RDONLY | O_CREAT, 0644);
        const char locked = file >= 0 && flock(file, LOCK_EX) == 0 ? 'y' : 'n';
        char closed = 0;
        _exit(write(ready[1], &locked, 1) == 1 && read(release[0], &closed, 1) >= 0 ? 0 : 1);
    }
    char locked = 'n';
    close(ready[1]);
    close(release[0]);
    if (read(ready[0], &locked, 1) != 1 || locked != 'y')
        qFatal("the second process could not take the store's lock");
    close(ready[0]);
    m_release = release[1];
}

HeldStoreLock::~HeldStoreLock()
{
    close(m_release);
    waitpid(m_holder, nullptr, 0);
}

void unloadClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace testSupport
