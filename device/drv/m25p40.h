#pragma once
// m25p40_t: the second platform's configuration flash, asked through FPGA registers.
// One instance, built on the first get_instance.
#include "drv_chip.h"
#include "lib_types.h"

class m25p40_t : public drv_chip_t
{
public:
    static m25p40_t *get_instance();

    // 85 to FPGA registers 13 and 12; 1 when register 106 then reads 2, else 0.
    int32 check_chip() override;

private:
    m25p40_t() = default;
};
