// The letter of a key on Windows: the virtual-key code, which names the letter keys by their Latin
// letter whatever the layout.
#include "platform/keyLetter.h"

#include <QKeyEvent>

int latinKeyCode(const QKeyEvent *event)
{
    const quint32 key = event->nativeVirtualKey();
    return key >= 'A' && key <= 'Z' ? int(key) : event->key();
}
