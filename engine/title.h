#pragma once
// The title the status window gives the character: what it has been taught,
// summed up as a rank with up to two prefixes.

#include "types/word_record.h"

#include <QString>

// The rank from the number of known records.
QString rankWord(Int16 level);
// The prefixes from the shares of vulgar and of useless words among them.
// Both are empty while nothing is known (there is no share of nothing).
QString vulgarityPrefix(Int16 vulgarCount, Int16 level);
QString dangerPrefix(Int16 uselessCount, Int16 level);

// Danger prefix, vulgarity prefix and rank word, joined with nothing between.
QString statusTitle(Int16 level, Int16 vulgarCount, Int16 uselessCount);
