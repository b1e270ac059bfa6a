#include "sim_serial_frames.h"

std::vector<std::uint32_t> sim_serial_words(const std::vector<sim_op_t> &log, int nbits, std::uint16_t base)
{
    std::vector<std::uint32_t> words;
    const std::size_t length = 2 * static_cast<std::size_t>(nbits) + 1;
    for (const sim_op_t &op : log) {
        if (op.kind != sim_op_kind_t::word_list || op.words.size() != length || (op.words[0] & 0xFFFC) != base)
            continue;
        std::uint32_t word = 0;
        for (std::size_t bit = 0; bit < static_cast<std::size_t>(nbits); ++bit)
            word = (word << 1) | ((op.words[2 * bit] >> 1) & 1u);
        words.push_back(word);
    }
    return words;
}
