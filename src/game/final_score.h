#pragma once
// The final score of a finished game: the company value (the low 32 bits of
// the player's cash plus its non-cash worth less the loan, summed in 64
// bits), one point per whole 2,000,000 of it, ten per opponent taken over and
// ten per year left before 2060. A game ended by going on to the next level
// gets no year points.

#include <cstdint>

class CGameState;

inline constexpr int64_t kValuePerPoint = 2000000;
inline constexpr int32_t kLastGameYear = 2060;
inline constexpr int32_t kPointsPerTakeOver = 10;
inline constexpr int32_t kPointsPerYear = 10;

struct FinalScore {
    int64_t value = 0;
    int32_t points = 0;      // value / 2,000,000, toward zero
    int32_t take_overs = 0;  // the three opponents' counts together
    int32_t years = 0;       // years before 2060
    int32_t total = 0;       // clamped to 32 bits
};

// The company value of the score sheet, which the goals measure too.
int64_t CompanyValue(const CGameState& gs);

FinalScore ComputeFinalScore(const CGameState& gs, bool ended_by_next_level);
