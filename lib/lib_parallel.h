#pragma once
#include "lib_types.h"

// Teams of the parallel loops. Waiting threads sleep instead of spinning (see the
// source): on a machine with other work a spinning team takes the processor from the
// very thread it waits for.

// Threads for a loop over `items` items that is worth one thread per `grain` items: at
// least 1, at most what the runtime offers and at most 32. Waking a thread costs more
// than a small loop, so short loops run on fewer threads.
int lib_team_size(uint64 items, uint64 grain);
