// The design's colours, 24-bit values with red in the low byte.
#pragma once

#include <cstdint>

namespace palette
{

constexpr uint32_t background = 0xF1FFF1;    // the windows' pale green
constexpr uint32_t ruleGrey = 0xE0E0E0;      // rules, frames, and the cells that cannot take a card
constexpr uint32_t availableGrey = 0xC0C0C0; // the cells that can
constexpr uint32_t linkGreen = 0x008000;     // every caption, and the credits link at rest
constexpr uint32_t white = 0xFFFFFF;         // cards and their places

} // namespace palette
