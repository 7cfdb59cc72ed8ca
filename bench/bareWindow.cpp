// The yardstick of the launch benchmark: a bare Qt window, one empty QWidget the size of the game
// window, shown as the game shows its window; with the argument "text", one line of text in it.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(628, 529);
    if (argc > 1 && QByteArray(argv[1]) == "text")
        (new QLabel(QStringLiteral("Current Score: 0"), &window))->move(420, 242);
    window.show();
    return QApplication::exec();
}
