// The exported functions; each arrives with the layer it reaches.
#include "qelmod.h"
