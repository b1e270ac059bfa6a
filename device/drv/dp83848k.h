#pragma once
// dp83848k_t: the second platform's Ethernet PHY, recognised by the id the kernel
// publishes for it. One instance, built on the first get_instance.
#include "drv_chip.h"
#include "lib_types.h"

constexpr const char *DRV_DP83848K_ID_PATH = "/sys/devices/soc0/amba/e000b000.ethernet/net/eth0/e000b000.etherne:1e/phy_id";

class dp83848k_t : public drv_chip_t
{
public:
    static dp83848k_t *get_instance();

    // check_phy_id_file on the kernel's id file.
    int32 check_chip() override;
    // Up to 100 bytes of the file, cut at the first line feed: 1 when the text is
    // exactly "0x20005c90", else 0 (also when the file does not open).
    static int32 check_phy_id_file(const char *path);

private:
    dp83848k_t() = default;
};
