#pragma once
// cfg_builtin_wave_map_t: the names "M0".."M200" of the built-in waves. For now empty.
class cfg_builtin_wave_map_t
{
};
