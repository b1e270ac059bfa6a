#pragma once
// cali_t: the calibration interface of the driver layer, through which the drivers read
// calibration values and run the calibration procedures. Its own bodies are neutral;
// the USB module's calibration object is a cali_data_vextral_t.
class cali_t
{
public:
    // 0: brings the calibration record into memory; nothing in the base.
    virtual void init();

protected:
    // The one calibration object lives for the whole process and is never deleted
    // through this class.
    ~cali_t() = default;
};

// The process's one calibration object, the same for every product. It exists from
// the library's load on (a static initialiser beside this getter asks for it).
cali_t *cali_get_instance();
