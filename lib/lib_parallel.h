#pragma once
#include "lib_types.h"

#include <type_traits>

// Teams of the parallel loops. Waiting threads sleep instead of spinning (see the
// source): on a machine with other work a spinning team takes the processor from the
// very thread it waits for.

// Threads for a loop over `items` items that is worth one thread per `grain` items: at
// least 1, at most what the runtime offers and at most 32. Waking a thread costs more
// than a small loop, so short loops run on fewer threads.
int lib_team_size(uint64 items, uint64 grain);

// Runs item(i) for every i in [0, count) on the calling thread and up to team - 1
// helper threads, each taking the next item when it is free. It returns once every
// item is done, without waiting for a helper that got no processor in the meantime: on
// a busy machine the caller then does the items itself instead of waiting for its team
// to be scheduled. A call from inside an item, or while another thread's call runs,
// does its items alone.
void lib_share_items(uint64 count, int team, void (*item)(void *context, uint64 index), void *context);

template <typename F>
void lib_share_items(uint64 count, int team, F &&item)
{
    using fn_t = std::remove_reference_t<F>;
    lib_share_items(
        count, team, [](void *c, uint64 i) { (*static_cast<fn_t *>(c))(i); },
        const_cast<void *>(static_cast<const void *>(&item)));
}
