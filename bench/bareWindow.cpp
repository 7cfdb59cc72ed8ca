// The yardstick of the launch benchmark: a bare Qt window, one empty QWidget the size of the game
// window, shown as the game shows its window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(628, 529);
    window.show();
    return QApplication::exec();
}
