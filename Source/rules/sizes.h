// The sizes the game is made of: the grid, the pack, and the cards a game lays on the table.
#pragma once

#include <cstdint>

enum : int16_t {
    GridSize = 5,   // columns, and rows
    CellCount = 25, // cells of the grid, numbered x + 5 * y
    SuitCount = 4,  // suits 1 to 4
    RankCount = 13, // ranks 1 (ace) to 13 (king)
    PackSize = 52,  // cards of the pack
    LastCard = 25,  // the pack position that ends a game: 25 cards lie on the table
};
