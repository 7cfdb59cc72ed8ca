// The top-score dialog: its controls at their designed places, opening it, and OK.
#include "topscores/FrmTopScore.h"

#include "controls/LabelControl.h"
#include "controls/designFont.h"
#include "controls/fixedWindow.h"
#include "controls/twips.h"
#include "controls/vbColor.h"
#include "platform/storeLock.h"
#include "state/modInitialize.h"
#include "topscores/FrmScoring.h"
#include "topscores/nameText.h"
#include "topscores/topScoreStore.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

using namespace modInitialize;

FrmTopScore *frmTopScore = nullptr;

namespace
{

// Refuses what the table could not hold, and a character beyond the box's twenty, so that a name is
// stored exactly as it was typed.
class NameValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override { return canBeName(input) ? Acceptable : Invalid; }
};

} // namespace

FrmTopScore::FrmTopScore(QWidget *owner) : QDialog(owner, fixedWindowFlags(Qt::Dialog))
{
    // Closing unloads the dialog; the next qualifying game loads a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Top Score!"));
    setFixedSize(twipsToPixels(5505), twipsToPixels(1200));

    txtName = new QLineEdit(this);
    txtName->setFont(designFont(8.25));
    // Twenty characters, each of one or two units of the box's text; the validator counts characters.
    txtName->setMaxLength(2 * NameLength);
    txtName->setValidator(new NameValidator(txtName));
    txtName->installEventFilter(this);
    txtName->setAccessibleName(QStringLiteral("Your name for the top scores"));
    place(txtName, 240, 600, 3495, 330);
    lblText = new LabelControl(
        this, QStringLiteral("You have got a top score!  Add your name to the Top Scores table..."),
        designFont(8.25), Qt::AlignLeft, vbButtonText);
    place(lblText, 240, 240, 4935, 255);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setFont(designFont(8.25));
    cmdOK->setDefault(true);
    place(cmdOK, 3960, 600, 1260, 345);
    setTabOrder(txtName, cmdOK);
    txtName->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &FrmTopScore::cmdOK_Click);
    centreWindow(this, owner);
    Form_Load();
}

FrmTopScore::~FrmTopScore()
{
    if (frmTopScore == this)
        frmTopScore = nullptr;
}

void FrmTopScore::Form_Load()
{
    txtName->setText(nameToText(playerName));
    txtName->setSelection(0, static_cast<int>(txtName->text().length()));
}

void FrmTopScore::cmdOK_Click()
{
    // No trimming: a name of spaces is a name; only an empty box enters nothing.
    const QString name = txtName->text();
    if (!name.isEmpty()) {
        playerName = textToName(name);
        {
            // Another copy of the game may have saved its own entry since this one loaded the table:
            // the entry goes into the table as it is stored now, and no other copy saves meanwhile.
            // While another copy holds the store too long, the entry goes into the table in memory only.
            const StoreLock lock;
            if (lock.held())
                loadTopScores();
            insertTopScore();
            if (lock.held())
                saveTopScores();
        }
        if (frmScoring && frmScoring->isVisible())
            frmScoring->Form_Load();
    }
    accept();
}

// OK is the cancel button too, so Esc enters the name just as Enter does. The close box still
// only closes.
void FrmTopScore::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// A chord with Alt or Super is never text: an access key typed out of habit, or a key the desktop
// keeps for itself, leaves the name as it is.
bool FrmTopScore::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtName &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        (static_cast<QKeyEvent *>(event)->modifiers() & (Qt::AltModifier | Qt::MetaModifier)))
        return true;
    return QDialog::eventFilter(watched, event);
}
