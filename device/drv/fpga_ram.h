#pragma once
// fpga_ram_t: the self-test of the FPGA's external memories (register 161) on boards
// that have them. Writing 0 and then 1 starts the test; the status read 5 s later
// holds ten pass bits (1-10) and bit 11, set once the memories are ready. The module
// never runs it; the chip start-up of other boards asks is_ready.
#include "drv_chip.h"
#include "lib_types.h"

class fpga_ram_t : public drv_chip_t
{
public:
    static fpga_ram_t *get_instance();

    // Does nothing.
    void init();
    // Bit 11 of register 161.
    int32 is_ready();
    // Starts the test, waits 5 s and decodes the status.
    int32 check_chip() override;
    // Tests bits 10 down to 1 against their required values (10, 9, 6, 5, 2, 1 set;
    // 8, 7, 4, 3 clear); at the first that fails stores its text ("b10-m2 rdy;", ...)
    // as the chip info and returns 0. Returns 1 with an empty text when all hold, and 0
    // without storing for a null status.
    int32 decode_status(const uint32 *status);

    fpga_ram_t(const fpga_ram_t &) = delete;
    fpga_ram_t &operator=(const fpga_ram_t &) = delete;

private:
    fpga_ram_t() = default;
    ~fpga_ram_t() = default;
};
