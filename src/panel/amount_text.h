#pragma once
// Amounts as the game prints them: groups of three digits separated by
// commas, the highest non-zero group first without leading zeros, a minus
// sign in front of a negative amount ("-1,005", "12,000,000"). Some lines
// print at most three or two groups; their top group then carries the rest
// unsplit ("1500,000" for 1,500,000 when only thousands are split).

#include <cstdint>
#include <string>

// The most groups a line prints.
enum class AmountGroups : int32_t { All = 7, UpToMillions = 3, UpToThousands = 2 };

std::string FormatAmount(int64_t value, AmountGroups groups = AmountGroups::All);
