// Learns the coach's table of line values by playing: writes Source/coach/lineValueTable.cpp.
//
// Each round plays many games with the quick choice of the coach (the cell where the card adds most
// to the table's value of the grid), a random cell instead for one card in four, notes the table entry of
// every unfinished line after every placement, and sets each entry to the mean final points of the
// lines that passed through it, drawn towards the previous round's value where few did. The first
// round starts from the points the line's ranks already make. Everything is seeded, so the same
// arguments give the same file.
//
//     tallyfive_coach_table OUTPUT [GAMES_PER_ROUND] [ROUNDS] [SEED]
#include "coach/board.h"
#include "coach/random.h"
#include "rules/handEvaluation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace coach;

namespace
{

constexpr double priorWeight = 20.0;
// A random cell for one card in four: the values then hold for many more grids than the quick choice
// alone would make, and the quick choice plays better by them.
constexpr double exploration = 0.25;

// A shuffled pack by Fisher and Yates.
void shuffleCards(Random &random, int cards[PackSize])
{
    for (int card = 0; card < PackSize; ++card)
        cards[card] = card;
    for (int k = PackSize - 1; k > 0; --k)
        std::swap(cards[k], cards[drawBelow(random, k + 1)]);
}

int chooseRandomCell(Random &random, uint32_t available)
{
    int skip = drawBelow(random, __builtin_popcount(available));
    while (skip-- > 0)
        available &= available - 1;
    return __builtin_ctz(available);
}

// One game; adds each line's final points to the entries it passed through. Returns the total.
int playGame(Random &random, const float *values, double exploration, std::vector<double> &sums,
             std::vector<double> &counts)
{
    int cards[PackSize];
    shuffleCards(random, cards);
    Board board = makeEmptyBoard();
    placeCard(board, CellCount / 2, cards[0]);
    // The entries of each line, one for each card placed while it had an empty cell.
    int keys[lineCount][CellCount];
    int keyCounts[lineCount] = {};
    uint64_t evaluations = 0;
    for (int k = 1;; ++k) {
        for (int line = 0; line < lineCount; ++line) {
            if (board.lines[line].count < GridSize)
                keys[line][keyCounts[line]++] =
                    findLineValueKey(board.lines[line], board.pool, board.empties);
        }
        if (k == LastCard)
            break;
        const bool explore = static_cast<double>(drawRandom(random) >> 11) * 0x1.0p-53 < exploration;
        const int cell = explore ? chooseRandomCell(random, board.available)
                                 : chooseGreedyCell(board, cards[k], values, evaluations);
        placeCard(board, cell, cards[k]);
    }
    for (int line = 0; line < lineCount; ++line) {
        const int points = scoreLine(board.lines[line]);
        for (int k = 0; k < keyCounts[line]; ++k) {
            sums[keys[line][k]] += points;
            counts[keys[line][k]] += 1;
        }
    }
    return scoreBoard(board);
}

// What the ranks of a kind of line score already, before any five-card combination.
int scoreRanks(LineKind kind)
{
    switch (kind) {
    case PairAlone:
    case PairAndOne:
    case PairAndTwo:
        return combinationValues[Pair].points;
    case TwoPairs:
        return combinationValues[TwoPair].points;
    case TripletAlone:
    case TripletAndOne:
        return combinationValues[Triplet].points;
    case FourAlike:
        return combinationValues[FourOfAKind].points;
    default:
        return 0;
    }
}

// The starting guess: each line is worth what its ranks make already.
void setStartingValues(std::vector<float> &values)
{
    for (int kind = 0; kind < LineKindCount; ++kind) {
        std::fill(values.begin() + lineBlockStarts.keys[kind],
                  values.begin() + lineBlockStarts.keys[kind + 1],
                  static_cast<float>(scoreRanks(static_cast<LineKind>(kind))));
    }
}

bool writeTable(const char *path, const std::vector<float> &values, int games, int rounds, uint64_t seed)
{
    FILE *file = std::fopen(path, "w");
    if (!file)
        return false;
    std::fprintf(
        file,
        "// The coach's line values: the mean final points of lines by their features, 1/64 point a\n"
        "// unit, learned by tools/coachTableGenerator.cpp (tallyfive_coach_table OUTPUT %d %d %llu).\n"
        "// Regenerate rather than edit.\n",
        games, rounds, static_cast<unsigned long long>(seed));
    std::fprintf(file, "#include \"coach/lineValue.h\"\n\nnamespace coach\n{\n\n// clang-format off\n"
                       "const uint16_t lineValueTable[lineValueKeyCount] = {\n");
    for (size_t key = 0; key < values.size(); ++key) {
        const long units = std::lround(std::clamp(values[key], 0.0f, 1000.0f) * 64.0f);
        const char *separator = ", ";
        if (key + 1 == values.size())
            separator = "};\n";
        else if (key % 16 == 15)
            separator = ",\n";
        std::fprintf(file, "%s%ld%s", key % 16 == 0 ? "    " : "", units, separator);
    }
    std::fprintf(file, "// clang-format on\n\n} // namespace coach\n");
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT [GAMES_PER_ROUND] [ROUNDS] [SEED]\n", argv[0]);
        return 2;
    }
    const int games = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30000;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 8;

    std::vector<float> values(lineValueKeyCount);
    setStartingValues(values);
    const uint64_t seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 20260101;
    Random random{seed};
    for (int round = 0; round < rounds; ++round) {
        std::vector<double> sums(lineValueKeyCount), counts(lineValueKeyCount);
        double total = 0;
        for (int game = 0; game < games; ++game)
            total += playGame(random, values.data(), exploration, sums, counts);
        int seen = 0;
        for (int key = 0; key < lineValueKeyCount; ++key) {
            seen += counts[key] > 0;
            values[key] =
                static_cast<float>((sums[key] + priorWeight * values[key]) / (counts[key] + priorWeight));
        }
        std::fprintf(stderr, "round %d: mean total %.2f, %d of %d entries seen\n", round + 1, total / games,
                     seen, lineValueKeyCount);
    }

    std::vector<double> unused(lineValueKeyCount), unusedCounts(lineValueKeyCount);
    double total = 0;
    const int trials = 20000;
    for (int game = 0; game < trials; ++game)
        total += playGame(random, values.data(), 0.0, unused, unusedCounts);
    std::fprintf(stderr, "the quick choice alone: mean total %.2f over %d games\n", total / trials, trials);

    if (!writeTable(argv[1], values, games, rounds, seed)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
