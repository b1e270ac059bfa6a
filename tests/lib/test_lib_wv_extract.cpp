#include "lib_wv_extract.h"

#include "lib_file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

void fill(lib_wv_data_t<short int> &data, const std::vector<short int> &samples)
{
    data.samples.truncate(0);
    if (!samples.empty())
        data.samples.write(0, samples.data(), static_cast<uint32>(samples.size()));
}

// One window over the whole sequence: M = 1 makes the centred layout a single window
// 0 .. N - 1 and the in-memory layout a single window as well.
struct pick_case_t
{
    const char *what;
    std::vector<short int> window;
    short int file_kept;   // centred layout: E < F keeps the right sample
    short int memory_kept; // in-memory layout: E <= F keeps the right sample
};

const pick_case_t k_pick_cases[] = {
    {"constant keeps the first", {5, 5, 5, 5, 5}, 5, 5},
    {"single spike in the middle survives", {0, 0, 100, 0, 0}, 100, 100},
    {"step keeps the sample before it", {0, 0, 0, 100, 100}, 0, 100},
    {"spike at offset 1 is lost", {1, 500, 2, 3, 4}, 1, 1},
    {"full-scale jump wins", {0, 300, -32767, 32767, 32767, 400}, -32767, -32767},
    {"largest jump last keeps the last", {0, 1, 2, 50}, 50, 50},
    {"E < F moves right", {0, 10, 30, 130, 200, 200}, 130, 130},
    {"E = F: file keeps left, memory keeps right", {0, 0, 50, 150, 200, 200}, 50, 150},
    {"equal largest jumps keep the first", {0, 0, 100, 0, 100, 0, 0}, 100, 100},
    {"two samples: file keeps the second, memory the first", {7, 9}, 9, 7},
    {"one sample keeps it", {7}, 7, 7},
};

} // namespace

TEST(LibWvExtract, KeepsTheSampleAtTheLargestJumpOfAWindow)
{
    lib_wv_data_t<short int> data;
    for (const pick_case_t &c : k_pick_cases) {
        SCOPED_TRACE(c.what);
        fill(data, c.window);
        const uint32 n = static_cast<uint32>(c.window.size());
        int16 out = 12345;
        lib_math_extract_data(&data, n, &out, 1, 0);
        EXPECT_EQ(out, c.file_kept);

        std::vector<short int> vec;
        if (n > 1) {
            EXPECT_EQ(lib_math_extract_data_algorithm(&data, vec, 1), 1);
            EXPECT_EQ(vec, std::vector<short int>{c.file_kept});
        }

        std::vector<float> in(c.window.begin(), c.window.end()), mem;
        if (n > 1) {
            EXPECT_EQ(lib_math_decimate_vector(in, mem, 1), 1);
            ASSERT_EQ(mem.size(), 1u);
            EXPECT_EQ(mem[0], float(c.memory_kept));
        }
    }
}

TEST(LibWvExtract, CentredWindowsOfThreeMillionSamples)
{
    // r = w = 1000: window 0 is 0..999, window 1 500..1499, window i (i >= 1) starts at
    // 1000 i - 500; the last 500 samples belong to no window.
    const uint32 N = 3000000, M = 3000;
    std::vector<short int> s(N, 0);
    struct spike_t
    {
        uint32 pos;
        short int value;
        bool shown;
    } spikes[] = {
        {1, 1001, false},        // offset 1 of window 0
        {1200, 1002, true},      // window 1 (500..1499)
        {4501, 1003, false},     // offset 1 of window 5 (4500..5499), in no other window
        {7502, 1004, true},      // offset 2 of window 8 (7500..8499)
        {123456, 1005, true},    // window 123
        {1499999, -1006, true},  // window 1500
        {2999499, 1007, true},   // last sample of the last window
        {2999500, 1008, false},  // first sample of the unshown tail
        {2999999, 1009, false},  // last sample
    };
    for (const spike_t &sp : spikes)
        s[sp.pos] = sp.value;
    lib_wv_data_t<short int> data;
    fill(data, s);

    std::vector<int16> out(M, 7);
    ASSERT_EQ(lib_math_extract_data(&data, N, out.data(), M, 0), out.data());
    for (const spike_t &sp : spikes) {
        bool found = std::find(out.begin(), out.end(), sp.value) != out.end();
        EXPECT_EQ(found, sp.shown) << "spike at " << sp.pos;
    }
    // every other display point is a plain 0
    long non_zero = std::count_if(out.begin(), out.end(), [](int16 v) { return v != 0; });
    EXPECT_EQ(non_zero, 5);

    // the vector form uses the same layout over the whole file
    std::vector<short int> vec;
    ASSERT_EQ(lib_math_extract_data_algorithm(&data, vec, M), 1);
    EXPECT_EQ(vec, std::vector<short int>(out.begin(), out.end()));
}

TEST(LibWvExtract, WindowsStayInsideTheRequestedStretch)
{
    // Samples outside 1000 .. 50999 are large; none of them may be picked.
    const uint32 start = 1000, N = 50000, M = 3000;
    std::vector<short int> s(60000);
    for (uint32 k = 0; k < s.size(); ++k)
        s[k] = (k < start || k >= start + N) ? 30000 : static_cast<short int>(k % 97);
    lib_wv_data_t<short int> data;
    fill(data, s);
    std::vector<int16> out(M, -1);
    lib_math_extract_data(&data, N, out.data(), M, start);
    for (uint32 i = 0; i < M; ++i)
        ASSERT_TRUE(out[i] >= 0 && out[i] < 97) << "display point " << i;
    EXPECT_EQ(out[0], 1000 % 97); // window 0 starts at `start` and is smooth: its first sample
}

TEST(LibWvExtract, UnreadSamplesShowAsZeros)
{
    lib_wv_data_t<short int> data;
    fill(data, std::vector<short int>(40000, 9));
    // the caller's count reaches past the end of the file: the missing part shows 0
    std::vector<int16> out(3000, -1);
    lib_math_extract_data(&data, 80000, out.data(), 3000, 0);
    EXPECT_EQ(out.front(), 9);
    EXPECT_EQ(out.back(), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), int16(-1)), 0);

    // no sample file at all
    std::remove(data.samples.get_path().c_str());
    std::fill(out.begin(), out.end(), int16(-1));
    lib_math_extract_data(&data, 80000, out.data(), 3000, 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), int16(0)), 3000);
    std::vector<short int> vec{1, 2, 3};
    EXPECT_EQ(lib_math_extract_data_algorithm(&data, vec, 3000), 1);
    EXPECT_TRUE(vec.empty());
}

TEST(LibWvExtract, ShortWaveformsAreNotReduced)
{
    std::vector<short int> s(2500);
    for (uint32 k = 0; k < s.size(); ++k)
        s[k] = static_cast<short int>(k * 13 - 16000);
    lib_wv_data_t<short int> data;
    fill(data, s);

    std::vector<short int> out;
    EXPECT_TRUE(lib_math_extract_data_to_vector(&data, out, 3000));
    EXPECT_EQ(out, s);
    out.clear();
    EXPECT_EQ(lib_math_extract_data_algorithm(&data, out, 2500), 1);
    EXPECT_EQ(out, s);
    EXPECT_EQ(lib_math_extract_data_algorithm(&data, out, 0), 1);
    EXPECT_TRUE(out.empty());

    std::vector<float> in(s.begin(), s.end()), fout;
    EXPECT_TRUE(lib_math_extract_vector_data(in, fout, 3000));
    EXPECT_EQ(fout, in);
    fout.assign(2, 1.0f);
    EXPECT_EQ(lib_math_decimate_vector(in, fout, 0), 1);
    EXPECT_EQ(fout.size(), 2u);
}

TEST(LibWvExtract, InMemoryLayoutPutsTheLongWindowsAtBothEnds)
{
    // N = 30001, M = 3000: d = 10, rem = 1, h = 0: windows 0..2998 hold 10 values and
    // window 2999 the last 11 (29990 .. 30000).
    std::vector<float> in(30001, 0.0f);
    in[29991] = 5.0f; // inside the last window
    in[29985] = 3.0f; // inside window 2998 (29980 .. 29989)
    std::vector<float> out{42.0f};
    ASSERT_EQ(lib_math_decimate_vector(in, out, 3000), 1);
    ASSERT_EQ(out.size(), 3001u); // appended after what the caller had
    EXPECT_EQ(out[0], 42.0f);
    EXPECT_EQ(out[1 + 2998], 3.0f);
    EXPECT_EQ(out[1 + 2999], 5.0f);

    // N = 30002: rem = 2, h = 1: window 0 holds 0..10, the last window 29991..30001
    std::vector<float> in2(30002, 0.0f);
    in2[10] = 1.0f;
    in2[29991] = 2.0f;
    std::vector<float> out2;
    ASSERT_TRUE(lib_math_extract_vector_data(in2, out2, 3000));
    ASSERT_EQ(out2.size(), 3000u);
    EXPECT_EQ(out2[0], 1.0f);
    EXPECT_EQ(out2[1], 0.0f);
    EXPECT_EQ(out2[2999], 2.0f);
}

TEST(LibWvExtract, RangeVariantForcesTheRangeEndsIn)
{
    std::vector<short int> s(40000, 0);
    s[5] = 100;     // would be chosen in window 0
    s[20000] = 7;   // a range end
    lib_wv_data_t<short int> data;
    fill(data, s);
    std::vector<short int> out;
    ASSERT_TRUE(lib_math_extract_range_data(&data, out, 3.0, 20000.0, 3000));
    // window 0 (0 .. 13) holds range_start: it gives sample 3 instead of the spike
    ASSERT_EQ(out.size(), 3000u);
    EXPECT_EQ(out[0], 0);
    EXPECT_NE(std::find(out.begin(), out.end(), short(7)), out.end());
    // both ends in one window count as two display points; past the end reads the last
    out.clear();
    s[39999] = -9;
    fill(data, s);
    ASSERT_TRUE(lib_math_extract_range_data(&data, out, 39995.0, 1e12, 3000));
    ASSERT_EQ(out.size(), 3001u);
    EXPECT_EQ(out[2999], 0);
    EXPECT_EQ(out[3000], -9);
}

TEST(LibWvExtract, VectorFormPrintsItsTimingLines)
{
    lib_wv_data_t<short int> data;
    fill(data, std::vector<short int>(40000, 1));
    std::vector<short int> out;
    testing::internal::CaptureStdout();
    lib_math_extract_data_algorithm(&data, out, 3000);
    std::string text = testing::internal::GetCapturedStdout();
    EXPECT_NE(text.find("part 1 time"), std::string::npos);
    EXPECT_NE(text.find("part 2 time"), std::string::npos);
    EXPECT_NE(text.find("*************************lib_math_extract_data_algorithm cost time "),
              std::string::npos);

    std::vector<int16> buf(3000);
    testing::internal::CaptureStdout();
    lib_math_extract_data(&data, 40000, buf.data(), 3000, 0);
    text = testing::internal::GetCapturedStdout();
    EXPECT_EQ(text.find("part 1 time"), std::string::npos);
    EXPECT_NE(text.find("part 2 time"), std::string::npos);
}

// Slow: a 42 MB sample file. A window wider than the scan buffer is scanned in pieces;
// the jump across the seam between two pieces must count.
TEST(LibWvExtractSlow, JumpAcrossTheScanBufferSeamCounts)
{
    const uint32 C = LIB_SCAN_CHUNK_SAMPLES;
    const uint32 N = 2 * C + 20; // M = 2: r = w = C + 10, window 0 is 0 .. C + 9
    std::vector<short int> s(N, 0);
    for (uint32 k = C - 60; k < C; ++k)
        s[k] = -30000; // a 30000 jump into it at C - 61 .. C - 60
    for (uint32 k = C; k < N; ++k)
        s[k] = 30000; // the 60000 jump between C - 1 and C, the seam of the two pieces
    s[100] = 20000;
    lib_wv_data_t<short int> data;
    fill(data, s);
    int16 out[2] = {1, 1};
    lib_math_extract_data(&data, N, out, 2, 0);
    // the seam jump wins; E = F = 0 keeps its left sample
    EXPECT_EQ(out[0], -30000);
    EXPECT_EQ(out[1], -30000);
}

namespace {

// Samples with spikes and steps at places no rule of thumb would guess.
std::vector<short int> noisy(uint32 n, unsigned seed)
{
    std::vector<short int> v(n);
    for (uint32 i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned r = seed >> 16;
        v[i] = static_cast<short int>(r % 53 == 0 ? int(r % 65536) - 32768 : int(i % 4000) - int(r % 200));
    }
    return v;
}

std::vector<short int> samples_of(const lib_wv_data_t<short int> &rec)
{
    std::vector<short int> out;
    rec.read_all(out);
    return out;
}

} // namespace

// The copy made while extracting: the file gets the pieces' samples in order, and the
// display points are those the written file gives, whatever the cut points (page
// boundaries or not), the number of windows and the pieces' files.
TEST(LibWvExtract, CopyAndExtractWritesThePiecesAndShowsWhatTheFileWouldShow)
{
    lib_wv_data_t<short int> a, b;
    const std::vector<short int> sa = noisy(2000003, 1), sb = noisy(70001, 2);
    fill(a, sa);
    fill(b, sb);
    const std::string A = a.samples.get_path(), B = b.samples.get_path();
    const uint64 na = sa.size(), nb = sb.size();
    struct case_t
    {
        const char *name;
        std::vector<lib_wv_piece_t> pieces;
    } cases[] = {
        {"cut in the middle", {{A, 0, 100}, {A, 1000100, na - 1000100}}},
        {"cut on a page", {{A, 0, 2048}, {A, 4096, na - 4096}}},
        {"paste at an odd place", {{A, 0, 777}, {B, 0, nb}, {A, 777, na - 777}}},
        {"paste at the end", {{A, 0, na}, {B, 0, nb}}},
        {"paste at the start, an empty piece", {{A, 0, 0}, {B, 0, nb}, {A, 0, na}}},
        {"the copy alone", {{B, 0, nb}}},
    };
    for (const case_t &c : cases) {
        std::vector<short int> want;
        for (const lib_wv_piece_t &p : c.pieces) {
            const std::vector<short int> &src = p.path == A ? sa : sb;
            want.insert(want.end(), src.begin() + long(p.first), src.begin() + long(p.first + p.count));
        }
        for (uint32 M : {3000u, 7u}) {
            SCOPED_TRACE(std::string(c.name) + ", M = " + std::to_string(M));
            lib_wv_data_t<short int> out;
            lib_fd_t fd = lib_open_trunc(out.samples.get_path());
            ASSERT_TRUE(fd.ok());
            std::vector<short int> points;
            ASSERT_EQ(lib_math_copy_and_extract(c.pieces, fd.get(), points, M), 1);
            fd.reset();
            ASSERT_EQ(samples_of(out), want);
            std::vector<short int> from_file;
            ASSERT_EQ(lib_math_extract_data_algorithm(&out, from_file, M), 1);
            EXPECT_EQ(points, from_file);
        }
    }
}

TEST(LibWvExtract, CopyAndExtractRefusesShortPiecesAndNothingToReduce)
{
    lib_wv_data_t<short int> a, out;
    fill(a, noisy(100000, 3));
    const std::string A = a.samples.get_path();
    std::vector<short int> points{1, 2};

    // a piece reaching past its file's end: the copy fails, the points stay
    lib_fd_t fd = lib_open_trunc(out.samples.get_path());
    EXPECT_EQ(lib_math_copy_and_extract({{A, 0, 60000}, {A, 60000, 50000}}, fd.get(), points, 3000), 0);
    EXPECT_EQ(points, (std::vector<short int>{1, 2}));

    // no more samples than display points: nothing is written
    fd = lib_open_trunc(out.samples.get_path());
    EXPECT_EQ(lib_math_copy_and_extract({{A, 0, 3000}}, fd.get(), points, 3000), -1);
    fd.reset();
    EXPECT_TRUE(samples_of(out).empty());
    EXPECT_EQ(points, (std::vector<short int>{1, 2}));
}
