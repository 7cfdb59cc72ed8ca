// Tallyfive: a solitaire of poker hands laid on a 5 x 5 grid.
#include "game/identity.h"
#include "state/modInitialize.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setApplicationIdentity();
    modInitialize::Main();
    return QApplication::exec();
}
