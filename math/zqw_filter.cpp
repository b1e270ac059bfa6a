#include "zqw_filter.h"

#include "iir_filter.h"
#include "lib_diag.h"
#include "math_direct_form.h"
#include "math_filter_run.h"
#include "math_sos_cascade.h"

#include <cmath>
#include <cstdint>
#include <string>

ZqwFilter::ZqwFilter() = default;

ZqwFilter::~ZqwFilter() = default;

int32 ZqwFilter::_single(int band, int family, const data_t *src, const uint32 *count, data_t *dst, float fs,
                         float fpass, float fstop, float apass, float astop)
{
    const int rc = check_filter_params(band, family, fs, fpass, fpass, fstop, fstop, apass, apass, astop, astop);
    if (rc < 0)
        return rc;
    return _design_and_filter(src, count, fs, fpass, fpass, fstop, fstop, apass, apass, astop, astop, band, family,
                              dst);
}

int32 ZqwFilter::_band(int band, int family, const data_t *src, const uint32 *count, data_t *dst, float fs,
                       float fpass1, float fpass2, float fstop1, float fstop2, float apass, float astop)
{
    const int rc = check_filter_params(band, family, fs, fpass1, fpass2, fstop1, fstop2, apass, apass, astop, astop);
    if (rc < 0)
        return rc;
    return _design_and_filter(src, count, fs, fpass1, fpass2, fstop1, fstop2, apass, apass, astop, astop, band,
                              family, dst);
}

int32 ZqwFilter::do_filter(const data_t *src, uint32 count, float fs, float fpass1, float fpass2, float fstop1,
                           float fstop2, float apass1, float apass2, float astop1, float astop2, int band,
                           int family, data_t *dst)
{
    return _design_and_filter(src, &count, fs, fpass1, fpass2, fstop1, fstop2, apass1, apass2, astop1, astop2,
                              band, family, dst);
}

int32 ZqwFilter::do_filter(const data_t *src, float fs, float fpass1, float fpass2, float fstop1, float fstop2,
                           float apass1, float apass2, float astop1, float astop2, int band, int family, data_t *dst)
{
    return _design_and_filter(src, nullptr, fs, fpass1, fpass2, fstop1, fstop2, apass1, apass2, astop1, astop2,
                              band, family, dst);
}

// Without a count the whole source is filtered and the numerator sections are scaled by
// the sum of their magnitudes instead of the design's gain.
int32 ZqwFilter::_design_and_filter(const data_t *src, const uint32 *count, float fs, float fpass1, float fpass2,
                                    float fstop1, float fstop2, float apass1, float apass2, float astop1,
                                    float astop2, int band, int family, data_t *dst)
{
    IirFilter filter(band, family);
    int status;
    switch (band) {
    case 0:
        status = filter.setParams(fs, fpass1, apass1, fstop1, astop1);
        break;
    case 1:
        status = filter.setParams(fs, fstop1, astop1, fpass1, apass1);
        break;
    case 2:
        status = filter.setParams(fs, fstop1, astop1, fpass1, fpass2, apass1, fstop2, astop2);
        break;
    case 3:
        status = filter.setParams(fs, fpass1, apass1, fstop1, fstop2, astop1, fpass2, apass2);
        break;
    default:
        status = -1;
        break;
    }
    if (status < 0) {
        lib_diag_line("ZqwFilter::do_filter:parameter is out of range!!!");
        return status;
    }
    status = filter.design();
    if (status < 0)
        return status;
    response = filter.responseTable();

    // The designed sections run as a cascade: multiplied out into one polynomial they
    // lose the poles' precision and high orders turn unstable.
    if (count) {
        math_sos_cascade_t cascade(filter.numCoefs, filter.denCoefs, filter.getWideGain());
        if (!cascade.valid())
            return _zero_result(*count, dst);
        return math_filter_run(src, *count, cascade, dst);
    }
    std::vector<float> num = filter.numCoefs;
    normalize_sections(num);
    math_sos_cascade_t cascade(num, filter.denCoefs, 1.0L);
    const uint32 all = src->samples.size();
    lib_diag_line("outside resize:" + std::to_string(all));
    if (!cascade.valid())
        return _zero_result(all, dst);
    return math_filter_run(src, all, cascade, dst);
}

int32 ZqwFilter::_zero_result(uint32 count, data_t *dst)
{
    dst->samples.truncate(0);
    dst->samples.resize(count, 0);
    return -1;
}

int32 ZqwFilter::filter_cal(const data_t *src, uint32 count, const std::vector<float> &b,
                            const std::vector<float> &a, int order, data_t *dst)
{
    const std::int64_t history = 2 * ((static_cast<std::int64_t>(order) + 1) / 2);
    if (history < 0 || static_cast<std::uint64_t>(history) + 1 > b.size() ||
        static_cast<std::uint64_t>(history) + 1 > a.size()) {
        lib_diag_line("ZqwFilter::filter_cal:the polynomials do not match the order");
        return -1;
    }
    if (a[0] == 0.0f || std::isnan(a[0]))
        return _zero_result(count, dst);
    math_direct_form_t equation(b, a, static_cast<std::size_t>(history) + 1);
    return math_filter_run(src, count, equation, dst);
}

int32 ZqwFilter::filter_cal_all(const data_t *src, const std::vector<float> &b, const std::vector<float> &a,
                                int order, data_t *dst)
{
    const uint32 count = src->samples.size();
    lib_diag_line("outside resize:" + std::to_string(count));
    return filter_cal(src, count, b, a, order, dst);
}

void ZqwFilter::poly_mul(const std::vector<float> &p, const std::vector<float> &q, std::vector<float> &out)
{
    if (p.empty() || q.empty()) {
        out.clear();
        return;
    }
    out.assign(p.size() + q.size() - 1, 0.0f);
    for (std::size_t i = 0; i < p.size(); ++i)
        for (std::size_t j = 0; j < q.size(); ++j)
            out[i + j] += p[i] * q[j];
}

int32 ZqwFilter::sections_to_poly(const std::vector<float> &sections, int order, std::vector<float> &out)
{
    const std::int64_t count = (static_cast<std::int64_t>(order) + 1) / 2;
    if (count < 1 || sections.size() < 3 || sections.size() / 3 < static_cast<std::uint64_t>(count))
        return -1;
    std::vector<float> product(sections.begin(), sections.begin() + 3);
    std::vector<float> next;
    for (std::int64_t k = 1; k < count; ++k) {
        const std::vector<float> section(sections.begin() + 3 * k, sections.begin() + 3 * k + 3);
        poly_mul(product, section, next);
        product.swap(next);
    }
    out = product;
    return 0;
}

void ZqwFilter::normalize_sections(std::vector<float> &sections)
{
    double sum = 0.0;
    for (float c : sections)
        sum += std::fabs(c);
    if (!(sum > 0.0) || !std::isfinite(sum))
        return;
    for (float &c : sections)
        c = static_cast<float>(c / sum);
}

int32 ZqwFilter::self_test()
{
    // A fourth-order Butterworth low-pass at a quarter of the sampling rate.
    const std::vector<float> num = {1.0f, 2.0f, 1.0f, 1.0f, 2.0f, 1.0f};
    const std::vector<float> den = {1.0f, 0.0f, 0.0485868f, 1.0f, 0.0f, 0.3333333f};
    std::vector<float> b, a;
    sections_to_poly(num, 4, b);
    sections_to_poly(den, 4, a);
    for (float &c : b)
        c *= 0.0939809f;
    data_t in, out;
    const short int ramp[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    in.samples.write(0, ramp, 10);
    const int32 rc = filter_cal_all(&in, b, a, 4, &out);
    std::vector<short int> result;
    out.read_all(result);
    std::string text = "==========================================\n" + std::to_string(result.size()) + "\n";
    for (short int s : result)
        text += std::to_string(s) + "     ";
    lib_diag_line(text);
    return rc;
}
