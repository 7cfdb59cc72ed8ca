#include "topscores/sideBySide.h"

SideBySide arrangeBeside(float screenWidth, float mainLeft, float mainWidth, float scoringLeft,
                         float scoringWidth)
{
    SideBySide result{mainLeft, scoringLeft};
    if (scoringWidth + mainWidth + 100 < screenWidth) {
        if (screenWidth - (mainWidth + mainLeft + 100) < scoringWidth)
            result.mainLeft = screenWidth - mainWidth - scoringWidth - 100;
        result.scoringLeft = result.mainLeft + mainWidth + 50;
    }
    return result;
}
