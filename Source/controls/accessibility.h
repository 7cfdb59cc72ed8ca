// What a screen reader finds in the windows: the pictures as pictures, and nothing of the shapes and
// rules, which only decorate.
#pragma once

// Once, before the first window is made.
void installAccessibility();
