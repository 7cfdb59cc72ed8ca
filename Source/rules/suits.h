// Which face each suit number shows, and what the faces are called: the one place that says so. The
// game itself only tells suit numbers 1 to 4 apart; the card pictures are drawn, and the cards named
// to a screen reader, by this.
#pragma once

enum class Suit { Clubs, Diamonds, Hearts, Spades };

constexpr Suit suitOfNumber(int suitNumber)
{
    return static_cast<Suit>(suitNumber - 1);
}

constexpr const char *suitName(Suit suit)
{
    constexpr const char *names[] = {"clubs", "diamonds", "hearts", "spades"};
    return names[static_cast<int>(suit)];
}
