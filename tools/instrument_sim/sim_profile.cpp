#include "sim_profile.h"

namespace {

std::string serial_of(unsigned n) { return "SIM" + std::to_string(1000 + n); }

} // namespace

std::string sim_generator_product(unsigned model_class)
{
    static const char *const products[] = {
        "ZQWT500R",   "ZQWS200R", "ZQWR120V", "ZQWR120V-L", "ZQWP080V",     "ZQWN060V",
        "ZQWQ050",    "ZQWN030",  "ZQWT10",   "MZKU55",     "OVTP120V Wide",
    };
    return model_class < sizeof products / sizeof products[0] ? products[model_class] : "ZQWX999";
}

sim_profile_t sim_generator_profile(unsigned model_class)
{
    sim_profile_t p;
    p.generator = true;
    p.model_class = model_class;
    const std::string product = sim_generator_product(model_class);
    const std::string serial = serial_of(model_class);
    if (model_class == 9) {
        p.idn = "Korvane," + product + "," + serial + ",1.0.0\n";
        p.private_idn = "Korvane," + product + "," + serial + ",2.1.0\n";
    } else if (model_class == 10) {
        // Its private answer leaves the model blank, so the model comes from "*IDN?";
        // as an oscilloscope with a built-in generator it offers its traces too.
        p.idn = "Korvane," + product + "," + serial + ",1.0.0\n";
        p.private_idn = "Korvane, ," + serial + ",2.1.0\n";
        p.prod = "PROD," + product + ",HW1\n";
        p.scope = true;
    } else {
        p.idn = "Korvane," + product + "," + serial + ",1.2.3\n";
        p.prod = "PROD," + product + ",HW1\n";
    }
    p.private_pri = "PRI," + serial + "\n";
    p.builtin_waves = {{"M0", "SINE"}, {"M1", "NOISE"}, {"M2", "STAIRUP"}, {"M3", "EMPTY"}};
    return p;
}

sim_profile_t sim_scope_profile(int channels)
{
    sim_profile_t p;
    p.scope = true;
    p.scope_channels = channels;
    // Families 4 (2 channels), 6 (4 channels) and 7 (8 channels).
    const std::string product = channels >= 8 ? "OVTQ800V" : channels >= 4 ? "OVTP400V" : "OVTN200V-L";
    p.idn = "Korvane," + product + "," + serial_of(100 + unsigned(channels)) + ",3.4.5\n";
    p.prod = "PROD," + product + ",HW2\n";
    return p;
}

sim_profile_t sim_other_profile()
{
    sim_profile_t p;
    p.idn = "Elsewhere Inc,DMM-7,SN42,0.9\n";
    p.prod = "PROD,DMM-7,HW0\n";
    return p;
}

sim_profile_t sim_silent_profile()
{
    sim_profile_t p;
    p.silent = true;
    return p;
}
