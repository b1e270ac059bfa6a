#include "cali.h"

void cali_t::init() {}
