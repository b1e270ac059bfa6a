#include "m25p40.h"

#include "drv_reg_access.h"

namespace {

constexpr uint64 DRV_M25P40_COMMAND = 13;
constexpr uint64 DRV_M25P40_STATUS_REQUEST = 12;
constexpr uint64 DRV_M25P40_STATUS = 106;
constexpr uint64 DRV_M25P40_ID_REQUEST = 85;
constexpr int64 DRV_M25P40_ID = 2;

} // namespace

m25p40_t *m25p40_t::get_instance()
{
    static m25p40_t instance;
    return &instance;
}

int32 m25p40_t::check_chip()
{
    drv_fpga_write_reg(DRV_M25P40_COMMAND, DRV_M25P40_ID_REQUEST);
    drv_fpga_write_reg(DRV_M25P40_STATUS_REQUEST, DRV_M25P40_ID_REQUEST);
    return drv_fpga_read_reg(DRV_M25P40_STATUS) == DRV_M25P40_ID ? 1 : 0;
}
