#pragma once
// sim_fpga_t: the module's FPGA as a register-level simulator, for tests.
//
// - A 16-bit register file over 15-bit addresses: a read returns the last value
//   written, unless scripted read values are queued for that register (status bits,
//   ADC results, counters), which reads take first.
// - A 512 KiB flash image, 0xFF when erased, at the byte operations' addresses.
// - The last block written to each block address or port.
// - One ordered log of every operation, including the library's sleeps and shell
//   commands when the OS recorders are installed (sim_os_recorder_t).
//
// It sits behind sim_reg_transport_t (direct) or umockdev_tmc_module_t (over USB).
// A simulator that goes while a sim_reg_transport_t over it lives (the one the driver
// layer owns, kept across tests run in one process) drops the driver layer first; a
// transport left anywhere else sees no simulator instead of a freed one.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class sim_op_kind_t
{
    read,
    write,
    word_list,
    block,
    block_read,
    byte_write,
    byte_read,
    byte_write24,
    sleep,
    shell,
};

struct sim_op_t
{
    sim_op_kind_t kind = sim_op_kind_t::write;
    std::uint32_t address = 0;        // register, block address or port, byte address
    std::uint32_t value = 0;          // register value read or written; sleep milliseconds; bytes read
    std::vector<std::uint16_t> words; // word list, block
    std::vector<std::uint8_t> bytes;  // byte write, byte read
    std::string text;                 // shell command

    bool operator==(const sim_op_t &other) const;
    bool operator!=(const sim_op_t &other) const { return !(*this == other); }
};

// One line describing the operation: "write 0x0012 = 0xabcd", "sleep 5 ms", ...
std::string sim_op_text(const sim_op_t &op);

// Convenience constructors for expected logs.
sim_op_t sim_write(std::uint32_t address, std::uint16_t value);
sim_op_t sim_read(std::uint32_t address, std::uint16_t value);
sim_op_t sim_sleep(std::uint32_t milliseconds);
sim_op_t sim_shell(const std::string &command);
sim_op_t sim_word_list(const std::vector<std::uint16_t> &words);
sim_op_t sim_block(std::uint32_t address, const std::vector<std::uint16_t> &words);
sim_op_t sim_block_read(std::uint32_t address, std::uint32_t count);
// Flash byte transfers: 16-bit and 24-bit address writes, and a read that delivered bytes.
sim_op_t sim_byte_write(std::uint32_t address, const std::vector<std::uint8_t> &bytes);
sim_op_t sim_byte_write24(std::uint32_t address, const std::vector<std::uint8_t> &bytes);
sim_op_t sim_byte_read(std::uint32_t address, const std::vector<std::uint8_t> &bytes);

class sim_fpga_t
{
public:
    static constexpr std::uint32_t ADDRESS_MASK = 0x7FFF;
    static constexpr std::size_t FLASH_SIZE = 512 * 1024;

    sim_fpga_t();
    ~sim_fpga_t();
    sim_fpga_t(const sim_fpga_t &) = default;
    sim_fpga_t &operator=(const sim_fpga_t &) = default;

    // Logged register accesses (address taken modulo 2^15).
    std::uint16_t read_reg(std::uint32_t address);
    void write_reg(std::uint32_t address, std::uint16_t value);
    // Every read answers 0, as the USB transport does without a module; writes are still
    // stored and logged.
    void answer_reads_with_zero(bool on) { _reads_zero = on; }
    // Values the next reads of the register return, in order, before the stored value.
    void queue_reads(std::uint32_t address, std::initializer_list<std::uint16_t> values);
    // A model that answers the register's reads (after any scripted values) from the
    // simulator's state, in place of the stored value; an empty function removes it.
    void set_read_model(std::uint32_t address, std::function<std::uint16_t(const sim_fpga_t &)> model);
    // The stored value and a silent store, without log entries.
    std::uint16_t peek(std::uint32_t address) const;
    void poke(std::uint32_t address, std::uint16_t value);

    // Logged word list (serial words; register 240 keeps the last one), blocks and
    // flash bytes. Flash accesses outside the image are logged and otherwise ignored
    // (reads give 0xFF there).
    void write_word_list(const std::uint16_t *words, std::size_t count);
    void write_block(std::uint32_t address, const std::uint16_t *words, std::size_t count);
    void read_block(std::uint32_t address, std::size_t count);
    void write_bytes(std::uint32_t address, const std::uint8_t *data, std::size_t count, bool address24);
    void read_bytes(std::uint32_t address, std::uint8_t *data, std::size_t count);

    // OS entries, for the recorders.
    void record_sleep(std::uint32_t milliseconds);
    void record_shell(const std::string &command);

    // The last block written at an address or port, or null.
    const std::vector<std::uint16_t> *block(std::uint32_t address) const;
    // Flash bytes, without a log entry.
    std::vector<std::uint8_t> flash(std::uint32_t address, std::size_t count) const;
    // Stores flash bytes without a log entry (bytes outside the image are dropped).
    void poke_flash(std::uint32_t address, const std::vector<std::uint8_t> &bytes);

    const std::vector<sim_op_t> &log() const { return _log; }
    // The milliseconds of every sleep entry added up.
    std::uint64_t slept_ms() const;
    void clear_log() { _log.clear(); }
    // Every value written to one register, in order, and the last one.
    std::vector<std::uint16_t> writes_to(std::uint32_t address) const;
    std::optional<std::uint16_t> last_write(std::uint32_t address) const;
    // The register writes as (address, value) pairs, and as text "0x12=0xabcd 0x24=0x8".
    std::vector<std::pair<std::uint32_t, std::uint16_t>> writes() const;
    std::string compact() const;

    // A readable diff of two logs: "  " same, "- " only expected, "+ " only actual;
    // empty when they are equal.
    static std::string diff(const std::vector<sim_op_t> &expected, const std::vector<sim_op_t> &actual);

    // Points to this simulator while it lives and to null afterwards.
    std::shared_ptr<sim_fpga_t *const> handle();

private:
    friend class sim_reg_transport_t;

    // What the transports over this simulator hold: a pointer to it while it lives, null
    // afterwards, and how many transports hold it. A copy of the simulator starts with
    // none of its own.
    struct handle_slot_t
    {
        handle_slot_t() = default;
        handle_slot_t(const handle_slot_t &) {}
        handle_slot_t &operator=(const handle_slot_t &) { return *this; }
        std::shared_ptr<sim_fpga_t *> target;
        int transports = 0;
    };

    std::vector<std::uint16_t> _registers;
    std::map<std::uint32_t, std::deque<std::uint16_t>> _scripted;
    std::map<std::uint32_t, std::function<std::uint16_t(const sim_fpga_t &)>> _models;
    std::vector<std::uint8_t> _flash;
    std::map<std::uint32_t, std::vector<std::uint16_t>> _blocks;
    std::vector<sim_op_t> _log;
    bool _reads_zero = false;
    handle_slot_t _handle;
};
