/* The exported header must compile as C. */
#include "qelmod.h"

int qelmod_header_result_size(void);

int qelmod_header_result_size(void)
{
    /* Not evaluated: only the declarations are needed. */
    return (int)(sizeof(vextral_device_detected()) + sizeof(awg_set_freqency(1.0L)) + sizeof(vextral_setARBmode()));
}
