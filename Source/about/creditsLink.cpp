// Placeholder until the about window lands.
#include "game/FrmMain.h"

void FrmMain::lblCredits3_MouseMove(int, int, float, float) {}
void FrmMain::lblCredits3_Click() {}
