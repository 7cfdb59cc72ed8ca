// The letter of a key on X11: the symbol the layout's first group puts on the key, or where that is no
// Latin letter either, the letter of the US layout on the same key.
#include "platform/keyLetter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <cstdlib>
#include <xcb/xcb.h>

static int latinLetter(uint32_t symbol)
{
    if (symbol >= 'a' && symbol <= 'z')
        return Qt::Key_A + int(symbol - 'a');
    return symbol >= 'A' && symbol <= 'Z' ? int(symbol) : 0;
}

// The first symbol the server maps to the key: the first group's, at its first level.
static uint32_t firstSymbol(uint32_t keycode)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || keycode < 8 || keycode > 255)
        return 0;
    xcb_connection_t *connection = x11->connection();
    xcb_get_keyboard_mapping_reply_t *mapping = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, xcb_keycode_t(keycode), 1), nullptr);
    if (!mapping)
        return 0;
    const uint32_t symbol =
        mapping->keysyms_per_keycode > 0 ? xcb_get_keyboard_mapping_keysyms(mapping)[0] : 0;
    std::free(mapping);
    return symbol;
}

int latinKeyCode(const QKeyEvent *event)
{
    if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return event->key();
    const uint32_t keycode = event->nativeScanCode();
    if (const int letter = latinLetter(firstSymbol(keycode)))
        return letter;
    // The letter keys of the US layout, by their keycodes from 24 on.
    static const char usLetters[] = "qwertyuiop....asdfghjkl.....zxcvbnm";
    if (keycode >= 24 && keycode < 24 + sizeof usLetters - 1) {
        if (const int letter = latinLetter(uint32_t(usLetters[keycode - 24])))
            return letter;
    }
    return event->key();
}
