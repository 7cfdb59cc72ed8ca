// The dialog in which a top score is given a name.
#pragma once

// Loads the dialog, shows it modally over the game window and returns once it has closed.
void showTopScoreDialog();
