// Placeholder until the scoring window lands.
#include "game/FrmMain.h"

void FrmMain::cmdScoring_Click() {}
