// Writes the canonical one-period sine template "sine.bin" that the sine generator
// reads from its working directory. Usage: ondrix_sine_template [output path]
#include "cfg_sine_template.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    const std::string path = argc > 1 ? argv[1] : "sine.bin";
    if (!cfg_write_sine_template(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("wrote %s (%u samples)\n", path.c_str(), unsigned(CFG_SINE_TEMPLATE_LEN));
    return 0;
}
