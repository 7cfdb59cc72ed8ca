// The letter of a key: the layout's own where it is a Latin letter; otherwise the letter that the US
// layout puts on the same key, found by the key's X11 keycode, as the window system reports it.
#include "platform/keyLetter.h"

#include <QKeyEvent>

Qt::Key latinKey(const QKeyEvent *event)
{
    const auto key = static_cast<Qt::Key>(event->key());
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    // The letter rows of a PC keyboard, by their keycodes from 24 on.
    static const char usLetters[] = "QWERTYUIOP....ASDFGHJKL.....ZXCVBNM";
    const quint32 keycode = event->nativeScanCode();
    if (keycode >= 24 && keycode < 24 + sizeof usLetters - 1 && usLetters[keycode - 24] != '.')
        return static_cast<Qt::Key>(usLetters[keycode - 24]);
    return key;
}
