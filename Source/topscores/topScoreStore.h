// The top-score table's store in the registry: loaded once at start, written after each
// accepted entry. Failures are silent; the table in memory is what the game goes on with.
#pragma once

void loadTopScores();
void saveTopScores();
