// How well and how fast the coach plays: whole games on fixed deals with the coach choosing every
// placement, the final totals scored by the game's own rules.
//
//     tallyfive_coach_bench [DEALS] [SEED]
#include "coach/coach.h"
#include "rules/handEvaluation.h"
#include "rules/shuffle.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace
{

// Deal i of a seed comes from a generator of its own, so that any deal can be replayed alone.
void dealPack(uint64_t seed, int deal, int16_t suit[PackSize], int16_t rank[PackSize])
{
    std::seed_seq sequence{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32),
                           static_cast<uint32_t>(deal)};
    std::mt19937_64 generator(sequence);
    shufflePack([&generator] { return static_cast<double>(generator() >> 11) * 0x1.0p-53; }, suit, rank);
}

bool isAvailable(const coach::Position &position, int x, int y)
{
    if (position.suit[x][y] != 0)
        return false;
    return (x > 0 && position.suit[x - 1][y] != 0) || (x < GridSize - 1 && position.suit[x + 1][y] != 0) ||
           (y > 0 && position.suit[x][y - 1] != 0) || (y < GridSize - 1 && position.suit[x][y + 1] != 0);
}

int scoreGrid(const coach::Position &position)
{
    int total = 0;
    for (int k = 0; k < GridSize; ++k) {
        int16_t rowSuit[GridSize], rowRank[GridSize], columnSuit[GridSize], columnRank[GridSize];
        for (int j = 0; j < GridSize; ++j) {
            rowSuit[j] = position.suit[j][k];
            rowRank[j] = position.rank[j][k];
            columnSuit[j] = position.suit[k][j];
            columnRank[j] = position.rank[k][j];
        }
        total += evaluateHand(rowSuit, rowRank).points + evaluateHand(columnSuit, columnRank).points;
    }
    return total;
}

// One game with the coach choosing every placement; adds each decision's time in nanoseconds.
int playDeal(uint64_t seed, int deal, std::vector<double> &times)
{
    int16_t suit[PackSize], rank[PackSize];
    dealPack(seed, deal, suit, rank);
    coach::Position position{};
    position.suit[GridSize / 2][GridSize / 2] = suit[0];
    position.rank[GridSize / 2][GridSize / 2] = rank[0];
    for (int k = 1; k < LastCard; ++k) {
        position.waitingSuit = suit[k];
        position.waitingRank = rank[k];
        position.nextSuit = suit[k + 1];
        position.nextRank = rank[k + 1];
        const auto start = std::chrono::steady_clock::now();
        const int cell = coach::chooseCell(position, seed * 1000003u + static_cast<uint64_t>(deal) * 25 + k);
        times.push_back(
            std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
        const int x = cell % GridSize;
        const int y = cell / GridSize;
        if (cell < 0 || cell >= CellCount || !isAvailable(position, x, y)) {
            std::fprintf(stderr, "deal %d, card %d: the coach chose cell %d, which is not available\n", deal,
                         k, cell);
            std::exit(1);
        }
        position.suit[x][y] = suit[k];
        position.rank[x][y] = rank[k];
    }
    return scoreGrid(position);
}

double findPercentile(const std::vector<double> &sorted, double fraction)
{
    const size_t index = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::min(std::max<size_t>(index, 1), sorted.size()) - 1];
}

} // namespace

int main(int argc, char **argv)
{
    const int deals = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 2026;

    std::vector<int> totals;
    std::vector<double> times;
    totals.reserve(deals);
    times.reserve(static_cast<size_t>(deals) * (LastCard - 1));
    const uint64_t evaluationsBefore = coach::countLineEvaluations();
    const auto start = std::chrono::steady_clock::now();
    for (int deal = 0; deal < deals; ++deal)
        totals.push_back(playDeal(seed, deal, times));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double evaluations = static_cast<double>(coach::countLineEvaluations() - evaluationsBefore);

    double sum = 0;
    for (const int total : totals)
        sum += total;
    const double mean = sum / deals;
    double squares = 0;
    for (const int total : totals)
        squares += (total - mean) * (total - mean);
    const double standardError = deals > 1 ? std::sqrt(squares / (deals - 1) / deals) : 0.0;
    std::vector<int> sorted = totals;
    std::sort(sorted.begin(), sorted.end());
    const double median = deals % 2 ? sorted[deals / 2] : (sorted[deals / 2 - 1] + sorted[deals / 2]) / 2.0;

    std::printf("%d deals, seed %llu\n", deals, static_cast<unsigned long long>(seed));
    std::printf("final total: mean %.2f, median %.1f, standard error %.2f\n", mean, median, standardError);
    std::printf("distribution by tens:\n");
    for (int low = 0; low <= sorted.back(); low += 10) {
        const long count = std::count_if(sorted.begin(), sorted.end(),
                                         [low](int total) { return total >= low && total < low + 10; });
        std::printf("  %3d-%3d %6ld  %5.2f%%\n", low, low + 9, count, 100.0 * count / deals);
    }

    double timeSum = 0;
    for (const double time : times)
        timeSum += time;
    std::sort(times.begin(), times.end());
    std::printf("time per decision: mean %.2f ms, 99th percentile %.2f ms, slowest %.2f ms (%zu decisions)\n",
                timeSum / times.size() / 1e6, findPercentile(times, 0.99) / 1e6, times.back() / 1e6,
                times.size());
    std::printf("line evaluations: %.3g in %.1f s, %.1f million per second of decision time\n", evaluations,
                seconds, evaluations / (timeSum / 1e9) / 1e6);
    return 0;
}
