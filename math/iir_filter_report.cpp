#include "iir_filter.h"

#include "lib_diag.h"

#include <iomanip>
#include <sstream>
#include <utility>

namespace {

constexpr double k_two_pi = 6.283185307179586;

} // namespace

void IirFilter::printInfo()
{
    std::ostringstream o;
    o << "\n";
    o << "\t\t    Filter selectivity      :  " << selectivity << "\n";
    o << "\t\t    Filter type             :  " << filterType << "\n";
    o << "\t\t    Filter order            :  " << order << "\n";
    o << "\t\t    Overall gain            :  " << overallGain << "\n";
    o << "\t\t    Sampling Frequency (Hz) :  " << samplingFreq << "\n";

    const float lp = static_cast<float>(lowerPassFreq / k_two_pi);
    const float up = static_cast<float>(upperPassFreq / k_two_pi);
    const float ls = static_cast<float>(lowerStopFreq / k_two_pi);
    const float us = static_cast<float>(upperStopFreq / k_two_pi);
    std::vector<std::pair<const char *, float>> spec;
    switch (selectivity) {
    case 0:
        spec = {{"Passband frequency (Hz) :  ", lp}, {"Passband gain      (dB) :  ", lowerPassGain},
                {"Stopband frequency (Hz) :  ", ls}, {"Stopband gain      (dB) :  ", lowerStopGain}};
        break;
    case 1:
        spec = {{"Stopband frequency (Hz) :  ", ls}, {"Stopband gain      (dB) :  ", lowerStopGain},
                {"Passband frequency (Hz) :  ", lp}, {"Passband gain      (dB) :  ", lowerPassGain}};
        break;
    case 2:
        spec = {{"Lower stopband frequency (Hz) :  ", ls}, {"Lower stopband gain      (dB) :  ", lowerStopGain},
                {"Lower passband frequency (Hz) :  ", lp}, {"Upper passband frequency (Hz) :  ", up},
                {"Passband gain            (dB) :  ", lowerPassGain}, {"Upper stopband frequency (Hz) :  ", us},
                {"Upper stopband gain      (dB) :  ", upperStopGain}};
        break;
    default:
        spec = {{"Lower passband frequency (Hz) :  ", lp}, {"Lower passband gain      (dB) :  ", lowerPassGain},
                {"Lower stopband frequency (Hz) :  ", ls}, {"Upper stopband frequency (Hz) :  ", us},
                {"Stopband gain            (dB) :  ", lowerStopGain}, {"Upper passband frequency (Hz) :  ", up},
                {"Upper passband gain      (dB) :  ", upperPassGain}};
        break;
    }
    for (const auto &line : spec)
        o << "\t\t    " << line.first << line.second << "\n";

    o << "\n\n";
    o << "           Numerator Coefficients    " << "            Denominator Coefficients" << "\n";
    o << "\n";
    o << "  N   [  1       z^-1           z^-2  ]" << "     [  1       z^-1           z^-2  ]" << "\n";
    o << " ===  =================================" << "     =================================" << "\n";
    o << std::fixed;
    const std::size_t sections = std::min(numCoefs.size(), denCoefs.size()) / 3;
    for (std::size_t i = 0; i < sections; ++i) {
        const float *n = numCoefs.data() + 3 * i;
        const float *d = denCoefs.data() + 3 * i;
        o << std::setw(3) << (i + 1) << " ";
        o << std::setprecision(1) << std::setw(6) << n[0];
        o << std::setprecision(8) << std::setw(14) << n[1] << std::setw(14) << n[2];
        o << std::setprecision(1) << std::setw(10) << d[0];
        o << std::setprecision(8) << std::setw(14) << d[1] << std::setw(14) << d[2] << "\n";
    }

    o << "\n\n";
    o << "\t ==================== Edge Frequency Response" << " ====================" << "\n";
    o << std::setprecision(8);
    if (edgeResponse.size() == 2) {
        o << "\t     Mag(fp) = " << edgeResponse[0] << "(dB)" << "       Mag(fs) = " << edgeResponse[1] << "(dB)"
          << "\n";
    } else if (edgeResponse.size() == 4) {
        o << "\t     Mag(fp1) = " << edgeResponse[0] << "(dB)" << "       Mag(fp2) = " << edgeResponse[1] << "(dB)"
          << "\n";
        o << "\t     Mag(fs1) = " << edgeResponse[2] << "(dB)" << "       Mag(fs2) = " << edgeResponse[3] << "(dB)"
          << "\n";
    }
    lib_diag_out(o.str());
}
