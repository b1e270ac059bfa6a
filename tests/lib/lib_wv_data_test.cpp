#include "lib_file_io.h"
#include "lib_test_util.h"
#include "lib_wv_data.h"
#include "test_fsize_limit.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using rec_t = lib_wv_data_t<short>;

TEST(SampleRecord, StartsWithDefaultsAndAnEmptyFile)
{
    rec_t r;
    EXPECT_EQ(r.amp, 2.0f);
    EXPECT_EQ(r.offset, 0.0f);
    EXPECT_EQ(r.freq, 1000.0);
    EXPECT_EQ(r.samples.size(), 0u);
}

TEST(SampleRecordAssign, CopiesSamplesAmplitudeAndOffsetButNotFrequency)
{
    rec_t src, dst;
    fill_record(src, ramp_samples(1000, -500));
    src.amp = 5.0f;
    src.offset = 1.5f;
    src.freq = 7.0;
    fill_record(dst, ramp_samples(3000));
    dst.assign(src);
    EXPECT_EQ(contents(dst), ramp_samples(1000, -500));
    EXPECT_EQ(dst.amp, 5.0f);
    EXPECT_EQ(dst.offset, 1.5f);
    EXPECT_EQ(dst.freq, 1000.0);
    EXPECT_NE(dst.samples.path, src.samples.path);
}

TEST(SampleRecordAssign, FromEmptyEmptiesAndFromItselfKeepsEverything)
{
    rec_t a, empty;
    fill_record(a, ramp_samples(10));
    a.assign(a);
    EXPECT_EQ(contents(a), ramp_samples(10));
    rec_t shared = a; // names the same file
    a.assign(shared);
    EXPECT_EQ(contents(a), ramp_samples(10));
    a.assign(empty);
    EXPECT_EQ(a.samples.size(), 0u);
}

TEST(SampleRecordAssign, LargerThanTheTransferBuffer)
{
    rec_t src, dst;
    src.resize(3000000, 0); // several transfer buffers
    std::vector<short> tail = ramp_samples(100, 7);
    src.samples.write(3000000 - 100, tail.data(), 100);
    dst.assign(src);
    EXPECT_EQ(dst.samples.size(), 3000000u);
    EXPECT_EQ(dst.samples[2999999], 106);
}

// A full disk cuts the copy short: the target keeps its samples, amplitude and offset
// instead of a truncated mix, and the caller learns of it.
TEST(SampleRecordAssign, CopyCutShortIsAFailureAndChangesNothing)
{
    rec_t src, dst;
    fill_record(src, ramp_samples(20000));
    src.amp = 5.0f;
    src.offset = 1.5f;
    fill_record(dst, ramp_samples(100, 7));
    dst.amp = 3.0f;
    dst.offset = -1.0f;
    {
        test_fsize_limit_t full(4096);
        ASSERT_TRUE(full.ok());
        testing::internal::CaptureStderr();
        EXPECT_FALSE(dst.assign(src));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot rewrite"), std::string::npos);
    }
    EXPECT_EQ(contents(dst), ramp_samples(100, 7));
    EXPECT_EQ(dst.amp, 3.0f);
    EXPECT_EQ(dst.offset, -1.0f);
    EXPECT_FALSE(file_exists(lib_wv_scratch_path(dst.samples.path)));

    EXPECT_TRUE(dst.assign(src)); // room again
    EXPECT_EQ(contents(dst), ramp_samples(20000));
}

TEST(SampleRecordErase, PointsAreSortedRemovedAndInvalidOnesIgnored)
{
    struct erase_case
    {
        std::vector<uint32> idx;
        std::vector<short> left;
        std::vector<uint32> sorted;
    };
    const erase_case cases[] = {
        {{5, 2}, {0, 1, 3, 4, 6, 7, 8, 9}, {2, 5}},
        {{0}, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0}},
        {{9}, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {9}},
        {{3, 3, 40}, {0, 1, 2, 4, 5, 6, 7, 8, 9}, {3, 3, 40}},
        {{}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {}},
        {{10, 11}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11}},
    };
    for (const erase_case &c : cases) {
        rec_t r;
        fill_record(r, ramp_samples(10));
        std::vector<uint32> idx = c.idx;
        r.erase_points(idx);
        EXPECT_EQ(contents(r), c.left);
        EXPECT_EQ(idx, c.sorted);
    }
}

TEST(SampleRecordErase, RangeClampsAndIgnoresReversedRanges)
{
    struct range_case
    {
        uint32 first, last;
        std::vector<short> left;
    };
    const range_case cases[] = {
        {0, 5, {5, 6, 7, 8, 9}},  {2, 4, {0, 1, 4, 5, 6, 7, 8, 9}},
        {0, 10, {}},              {3, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {8, 50, {0, 1, 2, 3, 4, 5, 6, 7}},
        {6, 2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {20, 30, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const range_case &c : cases) {
        rec_t r;
        fill_record(r, ramp_samples(10));
        r.erase_range(c.first, c.last);
        EXPECT_EQ(contents(r), c.left) << c.first << ".." << c.last;
    }
}

TEST(SampleRecordReplace, InsertsReplacesAndAppends)
{
    struct replace_case
    {
        uint32 first, last;
        std::vector<short> source;
        std::vector<short> result;
    };
    const replace_case cases[] = {
        {2, 2, {100, 101}, {0, 1, 100, 101, 2, 3, 4}},
        {0, 0, {100}, {100, 0, 1, 2, 3, 4}},
        {5, 5, {100}, {0, 1, 2, 3, 4, 100}},
        {1, 4, {100}, {0, 100, 4}},
        {1, 4, {}, {0, 4}},
        {3, 99, {7, 8}, {0, 1, 2, 7, 8}},
        {4, 2, {7}, {0, 1, 2, 3, 4}},
    };
    for (const replace_case &c : cases) {
        rec_t r, src;
        fill_record(r, ramp_samples(5));
        fill_record(src, c.source);
        r.amp = 3.0f;
        r.replace_range(c.first, c.last, src);
        EXPECT_EQ(contents(r), c.result) << c.first << ".." << c.last;
        EXPECT_EQ(r.amp, 3.0f);
    }
}

TEST(SampleRecordReplace, StartPastTheEndIsRefused)
{
    rec_t r, src;
    fill_record(r, ramp_samples(5));
    fill_record(src, {9});
    testing::internal::CaptureStdout();
    r.replace_range(6, 6, src);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "insert start error, start index is 6\n");
    EXPECT_EQ(contents(r), ramp_samples(5));
}

TEST(SampleRecordReplace, WithItselfAsSource)
{
    rec_t r;
    fill_record(r, ramp_samples(3));
    r.replace_range(3, 3, r);
    EXPECT_EQ(contents(r), (std::vector<short>{0, 1, 2, 0, 1, 2}));
}

TEST(SampleRecordEdit, FailedRewriteKeepsTheSamples)
{
    rec_t r;
    fill_record(r, ramp_samples(10));
    // The scratch file cannot be created where a directory stands.
    ASSERT_EQ(mkdir(lib_wv_scratch_path(r.samples.path).c_str(), 0755), 0);
    testing::internal::CaptureStderr();
    r.erase_range(0, 5);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("cannot rewrite"), std::string::npos);
    EXPECT_EQ(contents(r), ramp_samples(10));
    rmdir(lib_wv_scratch_path(r.samples.path).c_str());
}

// Someone plants a link at a store's scratch name: every whole-file edit must replace
// the link, never write through it.
TEST(SampleRecordEdit, LinkPlantedAtTheScratchNameIsNeverWrittenThrough)
{
    rec_t source;
    fill_record(source, ramp_samples(3, 100));
    struct edit_case
    {
        const char *name;
        std::function<void(rec_t &)> edit;
        std::vector<short> expected;
    } cases[] = {
        {"assign", [&](rec_t &r) { r.assign(source); }, ramp_samples(3, 100)},
        {"erase_range", [](rec_t &r) { r.erase_range(0, 5); }, ramp_samples(5, 5)},
        {"erase_points", [](rec_t &r) { std::vector<uint32> i{0, 9}; r.erase_points(i); }, ramp_samples(8, 1)},
        {"replace_range", [&](rec_t &r) { r.replace_range(10, 10, source); },
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 100, 101, 102}},
    };
    write_file("victim.txt", "precious");
    for (const edit_case &c : cases) {
        SCOPED_TRACE(c.name);
        rec_t r;
        fill_record(r, ramp_samples(10));
        const std::string scratch = lib_wv_scratch_path(r.samples.path);
        ASSERT_EQ(symlink("victim.txt", scratch.c_str()), 0);
        c.edit(r);
        EXPECT_EQ(contents(r), c.expected);
        EXPECT_FALSE(file_exists(scratch));
        struct stat st;
        EXPECT_NE(lstat(scratch.c_str(), &st), 0);
        std::ifstream in("victim.txt");
        std::string text;
        std::getline(in, text);
        EXPECT_EQ(text, "precious");
    }
}

TEST(SampleRecordEdit, NoScratchFileIsLeftBehind)
{
    rec_t r;
    fill_record(r, ramp_samples(10));
    r.erase_range(1, 2);
    EXPECT_FALSE(file_exists(lib_wv_scratch_path(r.samples.path)));
}

TEST(SampleRecord, ClearKeepsParametersAndPath)
{
    rec_t r;
    fill_record(r, ramp_samples(10));
    r.amp = 4.0f;
    r.offset = 1.0f;
    r.freq = 50.0;
    std::string p = r.samples.path;
    testing::internal::CaptureStdout();
    r.clear();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "clear file" + p + "\n");
    EXPECT_EQ(file_size(p), 0);
    EXPECT_EQ(r.amp, 4.0f);
    EXPECT_EQ(r.offset, 1.0f);
    EXPECT_EQ(r.freq, 50.0);
}

TEST(SampleRecord, ResizePrintsBothLinesAndFills)
{
    rec_t r;
    testing::internal::CaptureStdout();
    r.resize(4, -2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "outside resize:4\ninside resize:4\n");
    EXPECT_EQ(contents(r), (std::vector<short>{-2, -2, -2, -2}));
}

// A shared record is another name of the other's file: every way of writing one of them
// must leave the other as it was.
TEST(SampleRecordShare, NoWriteReachesTheOtherName)
{
    rec_t third;
    fill_record(third, ramp_samples(4, 500));
    struct write_case
    {
        const char *name;
        std::function<void(rec_t &)> write;
        std::vector<short> expected;
    } cases[] = {
        {"set", [](rec_t &r) { r.samples.set(2, 77); }, {0, 1, 77, 3, 4, 5}},
        {"write", [](rec_t &r) { short v[2] = {-1, -2}; r.samples.write(4, v, 2); }, {0, 1, 2, 3, -1, -2}},
        {"resize larger", [](rec_t &r) { r.resize(8, 9); }, {0, 1, 2, 3, 4, 5, 9, 9}},
        {"resize smaller", [](rec_t &r) { r.resize(2, 0); }, {0, 1}},
        {"truncate", [](rec_t &r) { r.samples.truncate(3); }, {0, 1, 2}},
        {"clear", [](rec_t &r) { r.clear(); }, {}},
        {"erase_range", [](rec_t &r) { r.erase_range(1, 3); }, {0, 3, 4, 5}},
        {"replace_range", [&](rec_t &r) { r.replace_range(6, 6, third); }, {0, 1, 2, 3, 4, 5, 500, 501, 502, 503}},
        {"assign", [&](rec_t &r) { r.assign(third); }, {500, 501, 502, 503}},
        {"open for writing", [](rec_t &r) {
             lib_fd_t fd = lib_open_rw(r.samples.path);
             short v = 42;
             ASSERT_EQ(lib_pwrite_all(fd.get(), &v, 2, 0), 2u);
         }, {42, 1, 2, 3, 4, 5}},
        {"open emptied", [](rec_t &r) { lib_open_trunc(r.samples.path); }, {}},
    };
    for (const write_case &c : cases) {
        for (bool write_the_copy : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (write_the_copy ? " on the sharing record" : " on the original"));
            rec_t original, copy;
            fill_record(original, ramp_samples(6));
            original.amp = 3.0f;
            original.offset = 0.5f;
            ASSERT_TRUE(copy.share(original));
            EXPECT_TRUE(lib_same_file(copy.samples.path, original.samples.path));
            EXPECT_EQ(copy.amp, 3.0f);
            EXPECT_EQ(copy.offset, 0.5f);
            EXPECT_EQ(contents(copy), ramp_samples(6));
            rec_t &written = write_the_copy ? copy : original;
            rec_t &other = write_the_copy ? original : copy;
            c.write(written);
            EXPECT_EQ(contents(written), c.expected);
            EXPECT_EQ(contents(other), ramp_samples(6));
        }
    }
}

TEST(SampleRecordShare, EachNameOutlivesTheOther)
{
    auto original = std::make_unique<rec_t>();
    fill_record(*original, ramp_samples(5));
    rec_t first, second;
    ASSERT_TRUE(first.share(*original));
    ASSERT_TRUE(second.share(first));
    const std::string path = original->samples.path;
    original.reset();
    EXPECT_FALSE(file_exists(path));
    EXPECT_EQ(contents(first), ramp_samples(5));
    EXPECT_EQ(contents(second), ramp_samples(5));
    // A share over a shared record gives that name the new file and leaves the old one.
    rec_t other;
    fill_record(other, ramp_samples(2, 7));
    ASSERT_TRUE(first.share(other));
    EXPECT_EQ(contents(first), ramp_samples(2, 7));
    EXPECT_EQ(contents(second), ramp_samples(5));
    EXPECT_FALSE(file_exists(lib_wv_scratch_path(first.samples.path)));
}
