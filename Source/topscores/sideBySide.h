// Where the scoring window stands beside the game window. Lefts and widths are in twips, of
// the whole windows, measured from the screen's left edge; the sums are single precision.
#pragma once

struct SideBySide {
    float mainLeft;
    float scoringLeft;
};

// When both windows and 100 twips fit on the screen, the scoring window goes 50 twips to the
// right of the game window, which moves left first if the scoring window would run off the
// screen. When they do not fit, both lefts are returned as given.
SideBySide arrangeBeside(float screenWidth, float mainLeft, float mainWidth, float scoringLeft,
                         float scoringWidth);
