// Who the program is to the desktop: its name, its maker, the menu entry it belongs to, and the icon
// every window of it shows.
#pragma once

void setApplicationIdentity();
