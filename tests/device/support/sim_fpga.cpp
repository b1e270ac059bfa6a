#include "sim_fpga.h"

#include "drv_instance_manage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t SIM_SERIAL_WORD_REGISTER = 0xF0;

const char *sim_kind_name(sim_op_kind_t kind)
{
    switch (kind) {
    case sim_op_kind_t::read: return "read";
    case sim_op_kind_t::write: return "write";
    case sim_op_kind_t::word_list: return "word_list";
    case sim_op_kind_t::block: return "block";
    case sim_op_kind_t::block_read: return "block_read";
    case sim_op_kind_t::byte_write: return "byte_write";
    case sim_op_kind_t::byte_read: return "byte_read";
    case sim_op_kind_t::byte_write24: return "byte_write24";
    case sim_op_kind_t::sleep: return "sleep";
    case sim_op_kind_t::shell: return "shell";
    }
    return "?";
}

std::string sim_format(const char *format, std::uint32_t a, std::uint32_t b = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

} // namespace

bool sim_op_t::operator==(const sim_op_t &other) const
{
    return kind == other.kind && address == other.address && value == other.value && words == other.words &&
           bytes == other.bytes && text == other.text;
}

std::string sim_op_text(const sim_op_t &op)
{
    std::string text = sim_kind_name(op.kind);
    switch (op.kind) {
    case sim_op_kind_t::read:
    case sim_op_kind_t::write:
        return text + sim_format(" 0x%04x = 0x%04x", op.address, op.value);
    case sim_op_kind_t::word_list: {
        for (std::uint16_t w : op.words)
            text += sim_format(" 0x%04x", w);
        return text;
    }
    case sim_op_kind_t::block:
        return text + sim_format(" @0x%x, %u words", op.address, static_cast<std::uint32_t>(op.words.size()));
    case sim_op_kind_t::block_read:
        return text + sim_format(" @0x%x, %u bytes", op.address, op.value);
    case sim_op_kind_t::byte_write:
    case sim_op_kind_t::byte_write24:
    case sim_op_kind_t::byte_read: {
        text += sim_format(" @0x%06x, %u bytes:", op.address, static_cast<std::uint32_t>(op.bytes.size()));
        for (std::size_t i = 0; i < op.bytes.size() && i < 16; ++i)
            text += sim_format(" %02x", op.bytes[i]);
        return op.bytes.size() > 16 ? text + " ..." : text;
    }
    case sim_op_kind_t::sleep:
        return text + sim_format(" %u ms", op.value);
    case sim_op_kind_t::shell:
        return text + " \"" + op.text + "\"";
    }
    return text;
}

sim_op_t sim_write(std::uint32_t address, std::uint16_t value)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::write;
    op.address = address;
    op.value = value;
    return op;
}

sim_op_t sim_read(std::uint32_t address, std::uint16_t value)
{
    sim_op_t op = sim_write(address, value);
    op.kind = sim_op_kind_t::read;
    return op;
}

sim_op_t sim_sleep(std::uint32_t milliseconds)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::sleep;
    op.value = milliseconds;
    return op;
}

sim_op_t sim_shell(const std::string &command)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::shell;
    op.text = command;
    return op;
}

sim_op_t sim_word_list(const std::vector<std::uint16_t> &words)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::word_list;
    op.words = words;
    return op;
}

sim_op_t sim_block(std::uint32_t address, const std::vector<std::uint16_t> &words)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::block;
    op.address = address;
    op.words = words;
    return op;
}

sim_op_t sim_block_read(std::uint32_t address, std::uint32_t count)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::block_read;
    op.address = address;
    op.value = count;
    return op;
}

sim_op_t sim_byte_write(std::uint32_t address, const std::vector<std::uint8_t> &bytes)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::byte_write;
    op.address = address;
    op.bytes = bytes;
    return op;
}

sim_op_t sim_byte_write24(std::uint32_t address, const std::vector<std::uint8_t> &bytes)
{
    sim_op_t op = sim_byte_write(address, bytes);
    op.kind = sim_op_kind_t::byte_write24;
    return op;
}

sim_op_t sim_byte_read(std::uint32_t address, const std::vector<std::uint8_t> &bytes)
{
    sim_op_t op = sim_byte_write(address, bytes);
    op.kind = sim_op_kind_t::byte_read;
    op.value = static_cast<std::uint32_t>(bytes.size());
    return op;
}

sim_fpga_t::sim_fpga_t() : _registers(ADDRESS_MASK + 1, 0), _flash(FLASH_SIZE, 0xFF) {}

sim_fpga_t::~sim_fpga_t()
{
    // Only the driver layer keeps a transport beyond the test that made it: drop it
    // while this simulator still answers, so that nothing reaches it afterwards.
    if (_handle.transports > 0)
        drv_reset_driver_layer();
    if (_handle.target)
        *_handle.target = nullptr;
}

std::shared_ptr<sim_fpga_t *const> sim_fpga_t::handle()
{
    if (!_handle.target)
        _handle.target = std::make_shared<sim_fpga_t *>(this);
    return _handle.target;
}

std::uint16_t sim_fpga_t::read_reg(std::uint32_t address)
{
    address &= ADDRESS_MASK;
    std::uint16_t value = _registers[address];
    auto model = _models.find(address);
    if (model != _models.end())
        value = model->second(*this);
    auto scripted = _scripted.find(address);
    if (scripted != _scripted.end() && !scripted->second.empty()) {
        value = scripted->second.front();
        scripted->second.pop_front();
    }
    if (_reads_zero)
        value = 0;
    _log.push_back(sim_read(address, value));
    return value;
}

void sim_fpga_t::write_reg(std::uint32_t address, std::uint16_t value)
{
    address &= ADDRESS_MASK;
    _registers[address] = value;
    _log.push_back(sim_write(address, value));
}

void sim_fpga_t::queue_reads(std::uint32_t address, std::initializer_list<std::uint16_t> values)
{
    std::deque<std::uint16_t> &queue = _scripted[address & ADDRESS_MASK];
    queue.insert(queue.end(), values.begin(), values.end());
}

void sim_fpga_t::set_read_model(std::uint32_t address, std::function<std::uint16_t(const sim_fpga_t &)> model)
{
    if (model)
        _models[address & ADDRESS_MASK] = std::move(model);
    else
        _models.erase(address & ADDRESS_MASK);
}

std::uint16_t sim_fpga_t::peek(std::uint32_t address) const
{
    return _registers[address & ADDRESS_MASK];
}

void sim_fpga_t::poke(std::uint32_t address, std::uint16_t value)
{
    _registers[address & ADDRESS_MASK] = value;
}

void sim_fpga_t::write_word_list(const std::uint16_t *words, std::size_t count)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::word_list;
    op.words.assign(words, words + count);
    if (count)
        _registers[SIM_SERIAL_WORD_REGISTER] = words[count - 1];
    _log.push_back(std::move(op));
}

void sim_fpga_t::write_block(std::uint32_t address, const std::uint16_t *words, std::size_t count)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::block;
    op.address = address;
    op.words.assign(words, words + count);
    _blocks[address] = op.words;
    _log.push_back(std::move(op));
}

void sim_fpga_t::read_block(std::uint32_t address, std::size_t count)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::block_read;
    op.address = address;
    op.value = static_cast<std::uint32_t>(count);
    _log.push_back(std::move(op));
}

void sim_fpga_t::write_bytes(std::uint32_t address, const std::uint8_t *data, std::size_t count, bool address24)
{
    sim_op_t op;
    op.kind = address24 ? sim_op_kind_t::byte_write24 : sim_op_kind_t::byte_write;
    op.address = address;
    op.bytes.assign(data, data + count);
    for (std::size_t i = 0; i < count && address + i < _flash.size(); ++i)
        _flash[address + i] = data[i];
    _log.push_back(std::move(op));
}

void sim_fpga_t::read_bytes(std::uint32_t address, std::uint8_t *data, std::size_t count)
{
    sim_op_t op;
    op.kind = sim_op_kind_t::byte_read;
    op.address = address;
    op.value = static_cast<std::uint32_t>(count);
    for (std::size_t i = 0; i < count; ++i)
        data[i] = address + i < _flash.size() ? _flash[address + i] : 0xFF;
    op.bytes.assign(data, data + count);
    _log.push_back(std::move(op));
}

void sim_fpga_t::record_sleep(std::uint32_t milliseconds)
{
    _log.push_back(sim_sleep(milliseconds));
}

void sim_fpga_t::record_shell(const std::string &command)
{
    _log.push_back(sim_shell(command));
}

const std::vector<std::uint16_t> *sim_fpga_t::block(std::uint32_t address) const
{
    auto found = _blocks.find(address);
    return found == _blocks.end() ? nullptr : &found->second;
}

void sim_fpga_t::poke_flash(std::uint32_t address, const std::vector<std::uint8_t> &bytes)
{
    for (std::size_t i = 0; i < bytes.size() && address + i < _flash.size(); ++i)
        _flash[address + i] = bytes[i];
}

std::vector<std::uint8_t> sim_fpga_t::flash(std::uint32_t address, std::size_t count) const
{
    std::vector<std::uint8_t> bytes(count, 0xFF);
    for (std::size_t i = 0; i < count && address + i < _flash.size(); ++i)
        bytes[i] = _flash[address + i];
    return bytes;
}

std::uint64_t sim_fpga_t::slept_ms() const
{
    std::uint64_t total = 0;
    for (const sim_op_t &op : _log)
        if (op.kind == sim_op_kind_t::sleep)
            total += op.value;
    return total;
}

std::vector<std::uint16_t> sim_fpga_t::writes_to(std::uint32_t address) const
{
    std::vector<std::uint16_t> values;
    for (const sim_op_t &op : _log)
        if (op.kind == sim_op_kind_t::write && op.address == (address & ADDRESS_MASK))
            values.push_back(static_cast<std::uint16_t>(op.value));
    return values;
}

std::optional<std::uint16_t> sim_fpga_t::last_write(std::uint32_t address) const
{
    std::vector<std::uint16_t> values = writes_to(address);
    if (values.empty())
        return std::nullopt;
    return values.back();
}

std::vector<std::pair<std::uint32_t, std::uint16_t>> sim_fpga_t::writes() const
{
    std::vector<std::pair<std::uint32_t, std::uint16_t>> pairs;
    for (const sim_op_t &op : _log)
        if (op.kind == sim_op_kind_t::write)
            pairs.emplace_back(op.address, static_cast<std::uint16_t>(op.value));
    return pairs;
}

std::string sim_fpga_t::compact() const
{
    std::string text;
    for (const auto &pair : writes()) {
        if (!text.empty())
            text += ' ';
        text += sim_format("0x%x=0x%x", pair.first, pair.second);
    }
    return text;
}

std::string sim_fpga_t::diff(const std::vector<sim_op_t> &expected, const std::vector<sim_op_t> &actual)
{
    if (expected == actual)
        return std::string();
    // Longest common subsequence; logs of tests are short.
    const std::size_t n = expected.size();
    const std::size_t m = actual.size();
    std::vector<std::vector<std::uint32_t>> common(n + 1, std::vector<std::uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = expected[i] == actual[j] ? common[i + 1][j + 1] + 1
                                                    : std::max(common[i + 1][j], common[i][j + 1]);
    std::string text;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && expected[i] == actual[j]) {
            text += "  " + sim_op_text(expected[i++]) + "\n";
            ++j;
        } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
            text += "+ " + sim_op_text(actual[j++]) + "\n";
        } else {
            text += "- " + sim_op_text(expected[i++]) + "\n";
        }
    }
    return text;
}
