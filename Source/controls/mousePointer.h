// The pointer shape: one setting for the whole program.
#pragma once

enum MousePointer { vbArrow = 1, vbNoDrop = 12 };

void setMousePointer(MousePointer pointer);
