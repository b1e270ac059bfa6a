#include "cali_data_vextral.h"

// The getter and the initialiser that calls it share this file: a static link keeps
// the initialiser exactly when something uses the getter.
cali_t *cali_get_instance()
{
    static cali_data_vextral_t instance;
    return &instance;
}

namespace {

// The calibration object exists as soon as the library is loaded.
[[maybe_unused]] cali_t *const s_cali_at_load = cali_get_instance();

} // namespace
