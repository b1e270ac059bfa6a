#include "drv_instance_manage.h"

#include "cali.h"
#include "drv_amp_vextral.h"
#include "drv_arb_wave.h"
#include "drv_bus.h"
#include "drv_clock_source_vextral.h"
#include "drv_combine.h"
#include "drv_data_pattern.h"
#include "drv_fpga_vextral.h"
#include "drv_freq_vextral.h"
#include "drv_hc4051_vextral.h"
#include "drv_hc595_vextral.h"
#include "drv_output.h"
#include "drv_phase.h"
#include "drv_pulse_vextral.h"
#include "drv_reg_usb.h"
#include "drv_square.h"
#include "drv_valid_check_zqw1000.h"
#include "drv_voltage_overload_interrupt_vextral.h"
#include "drv_voltage_overload_vextral.h"
#include "drv_wave_data_vextral.h"
#include "drv_wave_manage_vextral.h"
#include "drv_wave_ram.h"
#include "drv_reg_access.h"
#include "gos.h"
#include "lib_instance_slot.h"


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

// The instance, built by the first accessor call; a slot rather than a function static
// so that tests can drop it.
lib_instance_slot_t<drv_instance_manage_t> s_instance;

} // namespace

void drv_set_reg_transport_factory(drv_reg_transport_factory_t factory)
{
    drv_transport_factory() = std::move(factory);
}

drv_instance_manage_t *drv_instance_manage_t::get_instance() { return s_instance.get(); }

void drv_reset_driver_layer()
{
    if (s_instance.has())
        drv_reg_access_reset();
    s_instance.reset();
    cali_reset_instance();
    drv_output_reset_states();
}

drv_instance_manage_t::drv_instance_manage_t()
{
    gos_printf("drv_instance_manage_t::drv_instance_manage_t()\n");
    gos_printf("produce_id: %d \n", DRV_PRODUCE_CODE_VEXTRAL);
    gos_printf("(DRV_PRODUCT_VEXTRAL)\n");
    set_product_id(DRV_PRODUCT_VEXTRAL);
    _init_instance();
    _is_init = false;
}

drv_instance_manage_t::~drv_instance_manage_t() = default;

int32 drv_instance_manage_t::get_product_id() const
{
    return _drv_product;
}

void drv_instance_manage_t::set_product_id(int32 product)
{
    _drv_product = product;
    gos_printf("_drv_product=%d\n", product);
}

drv_wave_manage_t *drv_instance_manage_t::get_wave_manage() const { return _wave_manage.get(); }
drv_phase_t *drv_instance_manage_t::get_phase() const { return _phase.get(); }
drv_arb_wave_t *drv_instance_manage_t::get_arb_wave() const { return _arb_wave.get(); }
drv_voltage_overload_t *drv_instance_manage_t::get_voltage_overload() const { return _voltage_overload.get(); }
drv_combine_t *drv_instance_manage_t::get_combine() const { return _combine.get(); }
drv_freq_t *drv_instance_manage_t::get_freq() const { return _freq.get(); }
drv_data_pattern_t *drv_instance_manage_t::get_data_pattern() const { return _data_pattern.get(); }
drv_wave_data_t *drv_instance_manage_t::get_wave_data() const { return _wave_data.get(); }
drv_wave_ram_t *drv_instance_manage_t::get_wave_ram() const { return _wave_ram.get(); }
drv_fpga_t *drv_instance_manage_t::get_fpga() const { return _fpga.get(); }
drv_hc595_t *drv_instance_manage_t::get_hc595() const { return _hc595.get(); }
drv_hc4051_t *drv_instance_manage_t::get_hc4051() const { return _hc4051.get(); }
drv_amp_t *drv_instance_manage_t::get_amp() const { return _amp.get(); }
drv_clock_source_t *drv_instance_manage_t::get_clock_source() const { return _clock_source.get(); }
drv_mod_t *drv_instance_manage_t::get_mod() const { return _mod; }
drv_valid_check_t *drv_instance_manage_t::get_valid_check() const { return _valid_check.get(); }
drv_pulse_t *drv_instance_manage_t::get_pulse() const { return _pulse.get(); }
drv_square_t *drv_instance_manage_t::get_square() const { return _square.get(); }
drv_voltage_overload_interrupt_t *drv_instance_manage_t::get_overload_interrupt() const
{
    return _overload_interrupt.get();
}
drv_reg_spi_t *drv_instance_manage_t::get_reg_transport() const { return _reg_transport.get(); }

bool drv_instance_manage_t::init()
{
    gos_printf("bool drv_instance_manage_t::init()\n");
    const bool result = _init_chip();
    _is_init = true;
    return result;
}

bool drv_instance_manage_t::is_init() const
{
    return _is_init;
}

void drv_instance_manage_t::uninit()
{
    if (_drv_product == DRV_PRODUCT_VEXTRAL)
        drv_spi_uninit();
}

void drv_instance_manage_t::reinit_chip()
{
    if (_drv_product == DRV_PRODUCT_VEXTRAL)
        _init_chip_vextral();
}

void drv_instance_manage_t::_init_instance()
{
    if (_drv_product == DRV_PRODUCT_VEXTRAL)
        _init_vextral_instance();
    // Every product.
    _combine = std::make_unique<drv_combine_t>();
    _arb_wave = std::make_unique<drv_arb_wave_t>(_fpga.get(), _phase.get(), _freq.get());
    _data_pattern = std::make_unique<drv_data_pattern_t>();
}

void drv_instance_manage_t::_init_vextral_instance()
{
    gos_printf("drv_instance_manage_t::_init_vextral_instance() \n");
    std::unique_ptr<drv_reg_spi_t> transport = drv_make_reg_transport();
    transport->reg_init_spi_driver();
    _reg_transport = std::move(transport);
    _phase = std::make_unique<drv_phase_t>();
    _wave_manage = std::make_unique<drv_wave_manage_vextral_t>();
    _wave_data = std::make_unique<drv_wave_data_vextral_t>();
    _wave_ram = std::make_unique<drv_wave_ram_t>();
    _fpga = std::make_unique<drv_fpga_vextral_t>();
    _freq = std::make_unique<drv_freq_vextral_t>(*_fpga, *_phase);
    _hc595 = std::make_unique<drv_hc595_vextral_t>();
    _hc4051 = std::make_unique<drv_hc4051_vextral_t>();
    _amp = std::make_unique<drv_amp_vextral_t>();
    _clock_source = std::make_unique<drv_clock_source_vextral_t>();
    _valid_check = std::make_unique<drv_valid_check_zqw1000_t>();
    _pulse = std::make_unique<drv_pulse_vextral_t>();
    _square = std::make_unique<drv_square_t>();
    _overload_interrupt = std::make_unique<drv_voltage_overload_interrupt_vextral_t>();
    _voltage_overload = std::make_unique<drv_voltage_overload_vextral_t>();
}

bool drv_instance_manage_t::_init_chip()
{
    // Only the USB module is built; its start-up answers false by design.
    _init_chip_vextral();
    return false;
}

void drv_instance_manage_t::_init_chip_vextral()
{
    gos_printf("void drv_instance_manage_t::_init_chip_vextral() \n");
    drv_spi_init();
    cali_get_instance()->init();
}
