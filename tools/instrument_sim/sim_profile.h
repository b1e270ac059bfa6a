#pragma once
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a simulated instrument is and how it introduces itself. Replies are the exact
// bytes sent back (line feeds included).
struct sim_profile_t
{
    bool generator = false; // answers the waveform-generator commands
    bool scope = false;     // answers the oscilloscope commands
    bool silent = false;    // answers nothing at all
    // Generator model class: 6 to 8 keep 14-bit samples and storage slots; 9 and 10
    // answer read-backs with 14-bit codes.
    unsigned model_class = 2;
    std::string idn;                          // "*IDN?"
    std::optional<std::string> prod;          // "PROD?"
    std::optional<std::string> private_idn;   // "IDN-KRVN-AWG?"
    std::optional<std::string> private_pri;   // "IDN-KRVN-PRI?"
    // Built-in waves as "STL?" lists them: memory name, wave name ("EMPTY": a free slot).
    std::vector<std::pair<std::string, std::string>> builtin_waves;
    int scope_channels = 2;
    // Replies that take the place of the engine's own, by command text (the message
    // without its trailing CR/LF): crafted and malformed replies for tests.
    std::map<std::string, std::string> canned;
};

// The product text of a generator of each model class 0 to 10 (9 and 10 are the models
// that introduce themselves through the private identity query).
std::string sim_generator_product(unsigned model_class);
// A generator of the model class, identified as the instrument layer expects.
sim_profile_t sim_generator_profile(unsigned model_class);
// An oscilloscope with 2, 4 or 8 channels.
sim_profile_t sim_scope_profile(int channels);
// An instrument that answers "*IDN?" but is neither a generator nor an oscilloscope.
sim_profile_t sim_other_profile();
// An instrument that never answers.
sim_profile_t sim_silent_profile();
