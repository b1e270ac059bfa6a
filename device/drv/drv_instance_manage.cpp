#include "drv_instance_manage.h"

#include "drv_reg_usb.h"
#include "gos.h"

namespace {

// The product code the constructor prints for the module.
constexpr int DRV_PRODUCE_CODE_VEXTRAL = 14100;

drv_reg_transport_factory_t &drv_transport_factory()
{
    static drv_reg_transport_factory_t factory;
    return factory;
}

std::unique_ptr<drv_reg_spi_t> drv_make_reg_transport()
{
    const drv_reg_transport_factory_t &factory = drv_transport_factory();
    std::unique_ptr<drv_reg_spi_t> transport = factory ? factory() : nullptr;
    return transport ? std::move(transport) : std::make_unique<drv_reg_usb_t>();
}

} // namespace

void drv_set_reg_transport_factory(drv_reg_transport_factory_t factory)
{
    drv_transport_factory() = std::move(factory);
}

drv_instance_manage_t *drv_instance_manage_t::get_instance()
{
    static drv_instance_manage_t instance;
    return &instance;
}

drv_instance_manage_t::drv_instance_manage_t()
{
    gos_printf("drv_instance_manage_t::drv_instance_manage_t()\n");
    gos_printf("produce_id: %d \n", DRV_PRODUCE_CODE_VEXTRAL);
    gos_printf("(DRV_PRODUCT_VEXTRAL)\n");
    set_product_id(DRV_PRODUCT_VEXTRAL);
    _reg_transport.reset();
    _init_instance();
    _is_init = false;
}

int32 drv_instance_manage_t::get_product_id() const
{
    return _drv_product;
}

void drv_instance_manage_t::set_product_id(int32 product)
{
    _drv_product = product;
    gos_printf("_drv_product=%d\n", product);
}

drv_reg_spi_t *drv_instance_manage_t::get_reg_transport() const
{
    return _reg_transport.get();
}

void drv_instance_manage_t::_init_instance()
{
    if (_drv_product == DRV_PRODUCT_VEXTRAL)
        _init_vextral_instance();
}

void drv_instance_manage_t::_init_vextral_instance()
{
    gos_printf("drv_instance_manage_t::_init_vextral_instance() \n");
    std::unique_ptr<drv_reg_spi_t> transport = drv_make_reg_transport();
    transport->reg_init_spi_driver();
    _reg_transport = std::move(transport);
}
