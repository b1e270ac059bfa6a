#pragma once
// drv_instance_manage_t: the one owner of the driver objects. The first accessor call
// in the process builds it, which records the product id (always 4, the USB module)
// and creates the product's drivers, the register transport first: the transport is
// opened at once (its init result is ignored; a transport that did not open drops its
// writes and reads 0).
//
// Only the register transport exists so far; the other drivers join it in the order
// the creation step lists them.
//
// Tests put their own transport in place with drv_set_reg_transport_factory before
// the first accessor call.
#include "drv_reg_spi.h"
#include "lib_types.h"

#include <functional>
#include <memory>

// Product id of the USB waveform-generator module.
constexpr int32 DRV_PRODUCT_VEXTRAL = 4;

class drv_instance_manage_t
{
public:
    static drv_instance_manage_t *get_instance();

    int32 get_product_id() const;
    // Stores the id and prints "_drv_product=<id>".
    void set_product_id(int32 product);
    drv_reg_spi_t *get_reg_transport() const;

    drv_instance_manage_t(const drv_instance_manage_t &) = delete;
    drv_instance_manage_t &operator=(const drv_instance_manage_t &) = delete;

private:
    drv_instance_manage_t();
    void _init_instance();
    void _init_vextral_instance();

    int32 _drv_product = 0;
    std::unique_ptr<drv_reg_spi_t> _reg_transport;
    bool _is_init = false;
};

// Makes the register transport the instance manager creates; an empty function
// restores the default, a new drv_reg_usb_t. Read once, when the instance manager is
// built. Internal: not exported.
typedef std::function<std::unique_ptr<drv_reg_spi_t>()> drv_reg_transport_factory_t;
void drv_set_reg_transport_factory(drv_reg_transport_factory_t factory);
