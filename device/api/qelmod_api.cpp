// Exports that go straight to the driver layer's USB-TMC device.
#include "qelmod.h"

#include "usbtmc_driver.h"

extern "C" {

int vextral_device_detected(void)
{
    return usbtmc_device_detected();
}

void vextral_setinit(unsigned char ignored)
{
    usbtmc_setinit(ignored);
}

} // extern "C"
