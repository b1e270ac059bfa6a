#pragma once
#include <cstdint>
#include <functional>

// The program's one pause (its replacement for the Windows Sleep): every fixed wait of
// the instrument layer goes through it, so tests can see each pause without waiting.

// Blocks the calling thread for `ms` milliseconds, or hands the pause to the hook.
void plat_sleep_ms(std::uint32_t ms);

// While a hook is installed, plat_sleep_ms calls it instead of sleeping (tests record
// the pauses and cost no wall time). An empty function goes back to real sleeping.
// Returns the hook it replaces, so a nested recorder can put it back.
using plat_sleep_hook_t = std::function<void(std::uint32_t ms)>;
plat_sleep_hook_t plat_set_sleep_hook(plat_sleep_hook_t hook);
