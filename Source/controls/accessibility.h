// What a screen reader finds in the windows: each window a frame of its controls; the pictures that
// have names as pictures, and nothing of the shapes, the rules and the nameless pictures, which only
// decorate; a label that takes the focus as a link; the grid as a list of its cells; a page as a
// document.
#pragma once

// Once, before the first window is made.
void installAccessibility();
