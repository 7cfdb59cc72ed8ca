// Placeholder until the dialog lands.
#include "topscores/FrmTopScore.h"

void showTopScoreDialog() {}
