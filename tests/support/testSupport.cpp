#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/ShapeControl.h"
#include "game/FrmMain.h"
#include "game/modInitialize.h"
#include "platform/loadPicture.h"
#include "platform/randomNumbers.h"
#include "scoring/handEvaluation.h"
#include "topscores/FrmTopScore.h"
#include "topscores/nameText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>

using namespace modInitialize;

namespace testSupport
{

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
    platform::readClock = readFixedClock;
}

FrmMain *openGame()
{
    if (!frmMain) {
        Main();
        if (!QTest::qWaitForWindowExposed(frmMain))
            qFatal("the game window was never shown");
    } else {
        frmMain->Form_Load();
    }
    frmMain->activateWindow();
    if (!QTest::qWaitForWindowActive(frmMain))
        qWarning("the game window did not become active");
    return frmMain;
}

void keepTopScoresHigh()
{
    for (int16_t &score : topScore)
        score = 1000;
}

QPoint cellCentre(int index)
{
    return frmMain->imgCard[index]->geometry().center();
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

QImage cardPicture(int suit, int rank)
{
    return platform::LoadPicture(frmMain->getCardImageFilename(suit, rank));
}

QList<int> availableCells()
{
    QList<int> cells;
    for (int i = 0; i < 25; ++i) {
        if (gridState[i % 5][i / 5] == 1)
            cells.append(i);
    }
    return cells;
}

static QString shapeText(const ShapeControl *shape)
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(shape->shape())
        .arg(shape->borderColor(), 6, 16)
        .arg(shape->fillColor(), 6, 16)
        .arg(shape->fillStyle())
        .arg(shape->backStyle());
}

Snapshot takeSnapshot()
{
    Snapshot s;
    std::memcpy(s.gridSuit, gridSuit, sizeof gridSuit);
    std::memcpy(s.gridRank, gridRank, sizeof gridRank);
    std::memcpy(s.gridState, gridState, sizeof gridState);
    std::memcpy(s.rowScore, rowScore, sizeof rowScore);
    std::memcpy(s.columnScore, columnScore, sizeof columnScore);
    s.totalScore = totalScore;
    s.packPosition = packPosition;
    s.lastCellX = lastCellX;
    s.lastCellY = lastCellY;
    s.targetCell = targetCell;
    s.total = frmMain->lblTotal->text();
    s.combination = frmMain->lblCombination->text();
    s.waitingCard = frmMain->imgPack->picture();
    s.nextCard = frmMain->imgNextCard->picture();
    for (int i = 0; i < 25; ++i) {
        s.cells[i] = frmMain->imgCard[i]->picture();
        s.shapes.append(shapeText(frmMain->shpEmpty[i]));
    }
    return s;
}

QString differences(const Snapshot &a, const Snapshot &b)
{
    QStringList found;
    for (int i = 0; i < 25; ++i) {
        const int x = i % 5;
        const int y = i / 5;
        if (a.gridSuit[x][y] != b.gridSuit[x][y] || a.gridRank[x][y] != b.gridRank[x][y] ||
            a.gridState[x][y] != b.gridState[x][y])
            found.append(QStringLiteral("cell (%1, %2) state %3 -> %4")
                             .arg(x)
                             .arg(y)
                             .arg(a.gridState[x][y])
                             .arg(b.gridState[x][y]));
        if (a.cells[i] != b.cells[i])
            found.append(QStringLiteral("picture of cell %1").arg(i));
        if (a.shapes[i] != b.shapes[i])
            found.append(QStringLiteral("shape of cell %1: %2 -> %3").arg(i).arg(a.shapes[i], b.shapes[i]));
    }
    for (int k = 0; k < 5; ++k) {
        if (a.rowScore[k] != b.rowScore[k])
            found.append(
                QStringLiteral("row %1 score %2 -> %3").arg(k).arg(a.rowScore[k]).arg(b.rowScore[k]));
        if (a.columnScore[k] != b.columnScore[k])
            found.append(QStringLiteral("column %1 score %2 -> %3")
                             .arg(k)
                             .arg(a.columnScore[k])
                             .arg(b.columnScore[k]));
    }
    if (a.totalScore != b.totalScore)
        found.append(QStringLiteral("total %1 -> %2").arg(a.totalScore).arg(b.totalScore));
    if (a.packPosition != b.packPosition)
        found.append(QStringLiteral("pack position %1 -> %2").arg(a.packPosition).arg(b.packPosition));
    if (a.targetCell != b.targetCell)
        found.append(QStringLiteral("target cell %1 -> %2").arg(a.targetCell).arg(b.targetCell));
    if (a.total != b.total)
        found.append(QStringLiteral("total label \"%1\" -> \"%2\"").arg(a.total, b.total));
    if (a.combination != b.combination)
        found.append(QStringLiteral("combination label \"%1\" -> \"%2\"").arg(a.combination, b.combination));
    if (a.waitingCard != b.waitingCard)
        found.append(QStringLiteral("waiting card picture"));
    if (a.nextCard != b.nextCard)
        found.append(QStringLiteral("next card picture"));
    return found.join(QStringLiteral("; "));
}

QString differencesAfterUndo(const Snapshot &beforeMove, int x, int y)
{
    Snapshot now = takeSnapshot();
    if (now.combination != combinationAt(x, y))
        return QStringLiteral("combination label reads \"%1\"").arg(now.combination);
    now.combination = beforeMove.combination;
    return differences(beforeMove, now);
}

int16_t lineScore(const int16_t suit[5], const int16_t rank[5])
{
    return evaluateHand(suit, rank).points;
}

QString combinationAt(int x, int y)
{
    int16_t suit[5], rank[5];
    for (int k = 0; k < 5; ++k) {
        suit[k] = gridSuit[k][y];
        rank[k] = gridRank[k][y];
    }
    QStringList names;
    for (const char *name : {evaluateHand(suit, rank).name, evaluateHand(gridSuit[x], gridRank[x]).name}) {
        if (*name)
            names.append(QString::fromLatin1(name));
    }
    return names.join(QStringLiteral(" / "));
}

static bool touchesCard(int x, int y)
{
    const int dx[] = {0, 0, -1, 1};
    const int dy[] = {-1, 1, 0, 0};
    for (int d = 0; d < 4; ++d) {
        const int nx = x + dx[d];
        const int ny = y + dy[d];
        if (nx >= 0 && nx < 5 && ny >= 0 && ny < 5 && gridState[nx][ny] == 2)
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
    if (state == 2) {
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
    if (state != (touchesCard(x, y) ? 1 : 0))
        return where + QStringLiteral("state %1 does not match its neighbours").arg(state);
    if (shape->borderColor() != (state == 1 ? 0xC0C0C0u : 0xE0E0E0u))
        return where + QStringLiteral("drawn in the wrong shade");
    return {};
}

QString checkInvariants()
{
    int occupied = 0;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const QString fault = checkCell(x, y, occupied);
            if (!fault.isEmpty())
                return fault;
        }
    }
    if (occupied != packPosition)
        return QStringLiteral("%1 cards on the table at pack position %2").arg(occupied).arg(packPosition);
    int sum = 0;
    for (int k = 0; k < 5; ++k) {
        int16_t suit[5], rank[5];
        for (int j = 0; j < 5; ++j) {
            suit[j] = gridSuit[j][k];
            rank[j] = gridRank[j][k];
        }
        if (rowScore[k] != lineScore(suit, rank))
            return QStringLiteral("row %1 scores %2").arg(k).arg(rowScore[k]);
        if (columnScore[k] != lineScore(gridSuit[k], gridRank[k]))
            return QStringLiteral("column %1 scores %2").arg(k).arg(columnScore[k]);
        sum += rowScore[k] + columnScore[k];
    }
    if (sum != totalScore)
        return QStringLiteral("total %1 is not the sum %2").arg(totalScore).arg(sum);
    const QString expected =
        packPosition == 25 ? QStringLiteral("Total: %1") : QStringLiteral("Current Score: %1");
    if (frmMain->lblTotal->text() != expected.arg(totalScore))
        return QStringLiteral("total label reads \"%1\"").arg(frmMain->lblTotal->text());
    return {};
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QString describeTopScores()
{
    QStringList entries;
    for (int n = 0; n < 5; ++n) {
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
    for (int n = 0; n < 5; ++n) {
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
        if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
            qWarning("the top-score dialog did not become active");
        answer(dialog);
        // A dialog the answer left open would hold the test forever.
        if (frmTopScore && frmTopScore->isVisible())
            frmTopScore->reject();
    });
    queued.start(0);
    open();
    return opened;
}

} // namespace testSupport
