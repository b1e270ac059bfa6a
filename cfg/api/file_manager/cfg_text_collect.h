#pragma once
#include "lib_types.h"

#include <cstddef>
#include <vector>

// The collection of values from the text of a waveform file, shared by the .csv and
// .dat readers.

// How a step of the collection ended when it gave no value.
enum class cfg_line_stop_t {
    none,        // no value for now: the text ends before the line does
    stopped,     // the data ends here for good
    parse_error, // the same, at a field that is no number
};

// One step: the value of the data line after `pos` (the line feed ending the previous
// line, or 0 at the start of the text), its field `column` counted from 0 with
// `separator` between fields; separators are looked for across line ends. Returns the
// position of the line feed ending the value (pos moves there), or -1 with `stop`.
// `file_end` tells whether the text holds the rest of the file.
long long cfg_next_text_value(const char *text, std::size_t size, std::size_t column, char separator, bool file_end,
                              std::size_t &pos, float &value, cfg_line_stop_t &stop);

// The values of a text from `pos` on, exactly as repeated steps give them until one gives
// none. Stretches of the text between line feeds are read in parallel; a stretch whose
// first line the one before it ran into is read again from where that one ended.
struct cfg_text_values_t
{
    cfg_text_values_t() = default;
    // The pieces' memory is kept for the next collection: fresh memory costs a page
    // fault per page.
    ~cfg_text_values_t();
    cfg_text_values_t(const cfg_text_values_t &) = delete;
    cfg_text_values_t &operator=(const cfg_text_values_t &) = delete;

    // The values in order, piece by piece.
    std::vector<std::vector<float>> pieces;
    uint64 count = 0;
    // How the step that gave no value ended.
    cfg_line_stop_t stop = cfg_line_stop_t::none;
};
// Throws std::bad_alloc when the values do not fit in memory.
void cfg_collect_text_values(const char *text, std::size_t size, std::size_t column, char separator, bool file_end,
                             std::size_t &pos, cfg_text_values_t &out);
