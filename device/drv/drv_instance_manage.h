#pragma once
// drv_instance_manage_t: the one owner of the driver objects. The first accessor call
// in the process builds it, which records the product id (always 4, the USB module)
// and creates the product's drivers in a fixed order, the register transport first:
// the transport is opened at once (its init result is ignored; a transport that did
// not open drops its writes and reads 0). Afterwards every part of the library reaches
// a driver through its accessor; no entry changes again, and only the modulation
// driver stays null.
//
// Tests put their own transport in place with drv_set_reg_transport_factory before
// the first accessor call, and drop the driver layer with drv_reset_driver_layer
// before whatever that transport uses goes away.
#include "drv_reg_spi.h"
#include "lib_types.h"

#include <functional>
#include <memory>

template <typename T>
class lib_instance_slot_t;

class drv_amp_t;
class drv_arb_wave_t;
class drv_clock_source_t;
class drv_combine_t;
class drv_data_pattern_t;
class drv_fpga_t;
class drv_freq_t;
class drv_hc4051_t;
class drv_hc595_t;
class drv_mod_t;
class drv_phase_t;
class drv_pulse_t;
class drv_square_t;
class drv_valid_check_t;
class drv_voltage_overload_interrupt_t;
class drv_voltage_overload_t;
class drv_wave_data_t;
class drv_wave_manage_t;
class drv_wave_ram_t;

// Product id of the USB waveform-generator module.
constexpr int32 DRV_PRODUCT_VEXTRAL = 4;

class drv_instance_manage_t
{
public:
    static drv_instance_manage_t *get_instance();

    int32 get_product_id() const;
    // Stores the id and prints "_drv_product=<id>".
    void set_product_id(int32 product);

    drv_wave_manage_t *get_wave_manage() const;
    drv_phase_t *get_phase() const;
    drv_arb_wave_t *get_arb_wave() const;
    drv_voltage_overload_t *get_voltage_overload() const;
    drv_combine_t *get_combine() const;
    drv_freq_t *get_freq() const;
    drv_data_pattern_t *get_data_pattern() const;
    drv_wave_data_t *get_wave_data() const;
    drv_wave_ram_t *get_wave_ram() const;
    drv_fpga_t *get_fpga() const;
    drv_hc595_t *get_hc595() const;
    drv_hc4051_t *get_hc4051() const;
    drv_amp_t *get_amp() const;
    drv_clock_source_t *get_clock_source() const;
    // Null on every product: callers must not dereference it.
    drv_mod_t *get_mod() const;
    drv_valid_check_t *get_valid_check() const;
    drv_pulse_t *get_pulse() const;
    drv_square_t *get_square() const;
    drv_voltage_overload_interrupt_t *get_overload_interrupt() const;
    drv_reg_spi_t *get_reg_transport() const;

    // Prints "bool drv_instance_manage_t::init()", runs the product's chip start-up
    // (the transport's second init, then the calibration object's init) and marks the
    // manager initialised. Returns the start-up's fixed answer: false on the USB module,
    // which is not a failure.
    bool init();
    bool is_init() const;
    // Closes the register transport. Every object and the initialised mark stay.
    void uninit();
    // Runs the chip start-up again; the initialised mark is left as it is.
    void reinit_chip();

    drv_instance_manage_t(const drv_instance_manage_t &) = delete;
    drv_instance_manage_t &operator=(const drv_instance_manage_t &) = delete;

private:
    friend void drv_reset_driver_layer();
    friend class lib_instance_slot_t<drv_instance_manage_t>;
    drv_instance_manage_t();
    ~drv_instance_manage_t();
    void _init_instance();
    void _init_vextral_instance();
    bool _init_chip();
    void _init_chip_vextral();

    int32 _drv_product = 0;
    std::unique_ptr<drv_wave_manage_t> _wave_manage;
    std::unique_ptr<drv_phase_t> _phase;
    std::unique_ptr<drv_arb_wave_t> _arb_wave;
    std::unique_ptr<drv_voltage_overload_t> _voltage_overload;
    std::unique_ptr<drv_combine_t> _combine;
    std::unique_ptr<drv_freq_t> _freq;
    std::unique_ptr<drv_data_pattern_t> _data_pattern;
    std::unique_ptr<drv_wave_data_t> _wave_data;
    std::unique_ptr<drv_wave_ram_t> _wave_ram;
    std::unique_ptr<drv_fpga_t> _fpga;
    std::unique_ptr<drv_hc595_t> _hc595;
    std::unique_ptr<drv_hc4051_t> _hc4051;
    std::unique_ptr<drv_amp_t> _amp;
    std::unique_ptr<drv_clock_source_t> _clock_source;
    drv_mod_t *_mod = nullptr;
    std::unique_ptr<drv_valid_check_t> _valid_check;
    std::unique_ptr<drv_pulse_t> _pulse;
    std::unique_ptr<drv_square_t> _square;
    std::unique_ptr<drv_voltage_overload_interrupt_t> _overload_interrupt;
    std::unique_ptr<drv_reg_spi_t> _reg_transport;
    bool _is_init = false;
};

// Makes the register transport the instance manager creates; an empty function
// restores the default, a new drv_reg_usb_t. Read once, when the instance manager is
// built. Internal: not exported.
typedef std::function<std::unique_ptr<drv_reg_spi_t>()> drv_reg_transport_factory_t;
void drv_set_reg_transport_factory(drv_reg_transport_factory_t factory);

// Destroys the instance manager with every driver and the transport it owns, and puts
// the calibration object, the remembered output states and the register front end back
// as at load (trace off and empty); the next accessor call builds a new manager through the current factory.
// Nothing may hold a driver pointer across the call. Internal: not exported, so only
// tests reach it.
void drv_reset_driver_layer();
