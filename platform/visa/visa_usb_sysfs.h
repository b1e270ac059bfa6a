#pragma once
#include <string>

// What sysfs says of a USB device's serial number.
enum class visa_usb_sysfs_t
{
    FOUND,   // `serial` holds it
    NONE,    // the device is there and has no serial string
    UNKNOWN, // no sysfs entry for the device: ask the device itself
};

// Reads the serial number the kernel keeps for the device at that bus and address,
// without opening the device (so without write access to it).
visa_usb_sysfs_t visa_usb_sysfs_serial(int bus, int address, std::string &serial);
