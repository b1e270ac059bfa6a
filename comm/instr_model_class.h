#pragma once
#include "lib_types.h"

#include <string>

// Model classes from the texts instruments give. "Contains" rules are substring tests;
// pattern rules match the whole text unless said otherwise; the first rule that holds
// decides.

// The generator model class 0 to 9 of a "PROD?" product text (9: no family named).
int32 get_awg_model_class(const std::string &product);
// 9 for "MZKU55", 10 for "OVTP<3 digits>V Wide", 11 (not a generator) otherwise.
int32 get_private_awg_model_class(const std::string &model);
// The oscilloscope family 0 to 15 of a product text (15: not supported).
int32 scope_model_family(const std::string &product);
