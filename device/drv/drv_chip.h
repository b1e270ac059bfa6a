#pragma once
// drv_chip_t: the base of the chip drivers. A chip check may leave free text behind
// (_chip_info), which the two text operations read and replace.
#include "lib_types.h"

#include <string>

class drv_chip_t
{
public:
    drv_chip_t() = default;

    // 1 when the chip answers correctly, 0 otherwise.
    virtual int32 check_chip() = 0;
    // A copy of the text.
    virtual std::string get_chip_info();
    virtual void set_chip_info(const std::string &info);

protected:
    // Chips are destroyed through their own class (the FPGA driver's destructor is
    // virtual), never through this base.
    ~drv_chip_t() = default;
    drv_chip_t(const drv_chip_t &) = default;
    drv_chip_t &operator=(const drv_chip_t &) = default;

    std::string _chip_info;
};
