#pragma once
// drv_interface_t: the configuration layer's one door into the driver layer. It holds
// no state; each method fetches one driver from the instance manager and makes one
// call, passing values on unchanged in base units. Callers never keep the pointer:
// they call get_instance and then one method.
class drv_interface_t
{
public:
    // The singleton. Creating it creates nothing else (the drivers come with the first
    // method that reaches the instance manager).
    static drv_interface_t *get_instance();

    // The instance manager's init (chip start-up and calibration load): false on the
    // USB module even though every step ran.
    bool init();

    drv_interface_t(const drv_interface_t &) = delete;
    drv_interface_t &operator=(const drv_interface_t &) = delete;

private:
    drv_interface_t() = default;
};
