#include "lib_test_util.h"
#include "lib_wv_data.h"
#include "lib_wv_file_buffer.h"
#include "plat_fs.h"

#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using store_t = lib_wv_file_buffer_t<short>;

namespace {
std::string in_cwd(const std::string &name) { return plat_getcwd() + "/" + name; }
}

TEST(SampleStoreNaming, FirstStoreUnnumberedSecondNumberedOne)
{
    store_t a;
    store_t b;
    EXPECT_EQ(a.path, in_cwd(".wave_data_buffer.bin"));
    EXPECT_EQ(b.path, in_cwd(".wave_data_buffer_1.bin"));
    EXPECT_EQ(file_size(a.path), 0);
    EXPECT_EQ(file_size(b.path), 0);
    EXPECT_FALSE(a.naming_pending);
}

TEST(SampleStoreNaming, NamesNeverRunOutAndAreNeverShared)
{
    std::vector<std::unique_ptr<store_t>> stores;
    for (int i = 0; i < 300; ++i)
        stores.push_back(std::make_unique<store_t>());
    EXPECT_EQ(stores.back()->path, in_cwd(".wave_data_buffer_299.bin"));
    // A store whose file was removed keeps its name until the store itself is gone.
    std::remove(stores[5]->path.c_str());
    store_t later;
    EXPECT_EQ(later.path, in_cwd(".wave_data_buffer_300.bin"));
}

// Each undo step keeps two stores alive: their number must not be bounded by the
// process's open-file limit.
TEST(SampleStoreNaming, LiveStoresHoldNoDescriptorEach)
{
    rlimit old_limit;
    ASSERT_EQ(0, getrlimit(RLIMIT_NOFILE, &old_limit));
    rlimit small = old_limit;
    small.rlim_cur = 128;
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &small));
    std::vector<std::unique_ptr<store_t>> stores;
    for (int i = 0; i < 400; ++i)
        stores.push_back(std::make_unique<store_t>());
    std::vector<short> data = ramp_samples(3);
    stores.back()->write(0, data.data(), 3);
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &old_limit));
    int with_file = 0;
    for (const auto &s : stores)
        with_file += file_exists(s->path) ? 1 : 0;
    EXPECT_EQ(400, with_file);
    EXPECT_EQ(3u, stores.back()->size());
}

TEST(SampleStoreNaming, CopySharesTheFileAndKeepsTheNameTaken)
{
    auto a = std::make_unique<store_t>();
    std::string p = a->path;
    auto copy = std::make_unique<store_t>(*a);
    EXPECT_EQ(copy->path, p);
    a.reset(); // removes the file by path
    EXPECT_FALSE(file_exists(p));
    store_t next;
    EXPECT_NE(next.path, p); // the copy still names it
    copy.reset();
    store_t after;
    EXPECT_EQ(after.path, p);
}

TEST(SampleStoreSweep, FirstStoreRemovesLeftoversOfAnEarlierRun)
{
    const char *stale[] = {".wave_data_buffer.bin", ".wave_data_buffer_math_temp_data.bin",
                           ".wave_data_buffer_3.bin", ".wave_data_buffer_3_math_temp_data.bin",
                           ".wave_data_buffer_999_math_temp_data.bin", ".wave_data_buffer_1000.bin"};
    for (const char *n : stale)
        write_file(n, "xx");
    const char *kept[] = {"other.bin", ".wave_data_buffer_x.bin", ".wave_data_buffer.bin.bak",
                          ".wave_data_buffer_temp.bin", ".wave_data_buffer_01.bin", ".wave_data_buffer_0.bin",
                          ".wave_data_buffer_03_math_temp_data.bin"};
    for (const char *n : kept)
        write_file(n, "keep");
    store_t first;
    EXPECT_EQ(first.path, in_cwd(".wave_data_buffer.bin"));
    EXPECT_EQ(file_size(first.path), 0); // a fresh file, not the leftover
    for (const char *n : stale)
        if (in_cwd(n) != first.path)
            EXPECT_FALSE(file_exists(n)) << n;
    for (const char *n : kept)
        EXPECT_TRUE(file_exists(n)) << n;
}

TEST(SampleStoreSweep, RunsOncePerProcessForBothElementTypes)
{
    lib_wv_file_buffer_t<float> f; // sweeps
    std::vector<short> data = ramp_samples(4);
    store_t live;
    live.write(0, data.data(), 4);
    write_file(".wave_data_buffer_77.bin", "later");
    store_t second; // must not sweep again
    lib_wv_file_buffer_t<float> f2;
    EXPECT_TRUE(file_exists(".wave_data_buffer_77.bin"));
    EXPECT_EQ(live.size(), 4u);
}

TEST(SampleStore, SizeCountsWholeElementsOnly)
{
    store_t s;
    write_file(s.path, "12345");
    EXPECT_EQ(s.size(), 2u);
    lib_wv_file_buffer_t<float> f;
    write_file(f.path, "1234567");
    EXPECT_EQ(f.size(), 1u);
}

TEST(SampleStore, AtReadsTheLastElementPastTheEndAndZeroWhenEmpty)
{
    store_t s;
    short v = 99;
    s.at(0, &v);
    EXPECT_EQ(v, 0);
    std::vector<short> data = ramp_samples(5, 10);
    s.write(0, data.data(), 5);
    s.at(2, &v);
    EXPECT_EQ(v, 12);
    s.at(5, &v);
    EXPECT_EQ(v, 14);
    EXPECT_EQ(s[100], 14);
    EXPECT_EQ(s.cache_index, 100u);
}

struct read_case
{
    uint32 start, count, expect_n;
    short first;
};

TEST(SampleStore, ReadClampsToTheStoredCount)
{
    const read_case cases[] = {
        {0, 50, 50, 0}, {10, 100, 40, 10}, {60, 5, 1, 49}, {50, 5, 1, 49}, {49, 1, 1, 49}, {0, 0, 0, 0},
    };
    store_t s;
    std::vector<short> data = ramp_samples(50);
    s.write(0, data.data(), 50);
    for (const read_case &c : cases) {
        std::vector<short> buf(std::max<uint32>(c.count, 1), -1);
        EXPECT_EQ(s.read(c.start, buf.data(), c.count), c.expect_n) << c.start << "," << c.count;
        if (c.expect_n)
            EXPECT_EQ(buf[0], c.first);
    }
    store_t empty;
    short b = 7;
    EXPECT_EQ(empty.read(0, &b, 1), 0u);
}

TEST(SampleStore, WritePastTheEndAppendsAndSetAtCountAppends)
{
    store_t s;
    std::vector<short> data = ramp_samples(50);
    s.write(0, data.data(), 50);
    short extra[2] = {500, 501};
    s.write(100, extra, 2);
    EXPECT_EQ(s.size(), 52u);
    EXPECT_EQ(s[50], 500);
    s.set(52, 7);
    EXPECT_EQ(s.size(), 53u);
    EXPECT_EQ(s[52], 7);
    s.set(3, -3);
    EXPECT_EQ(s[3], -3);
    EXPECT_EQ(s.size(), 53u);
}

TEST(SampleStore, ResizeGrowsWithFillAndShrinks)
{
    store_t s;
    testing::internal::CaptureStdout();
    s.resize(10, 5);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("inside resize:10"), std::string::npos);
    EXPECT_EQ(s.size(), 10u);
    EXPECT_EQ(s[9], 5);
    s.resize(20, 0);
    EXPECT_EQ(s.size(), 20u);
    EXPECT_EQ(s[19], 0);
    EXPECT_EQ(s[9], 5);
    testing::internal::CaptureStdout();
    s.resize(20, 1);
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "inside resize:20\n");
    s.resize(3, 0);
    EXPECT_EQ(s.size(), 3u);
}

TEST(SampleStore, ResizeAcrossSeveralFillChunks)
{
    lib_wv_file_buffer_t<float> f;
    const uint32 n = 5000000; // several transfer buffers of floats
    f.resize(n, 1.5f);
    EXPECT_EQ(file_size(f.path), (long long)n * 4);
    std::ifstream in(f.path, std::ios::binary);
    in.seekg((long long)(n - 1) * 4);
    float last = 0;
    in.read((char *)&last, 4);
    EXPECT_EQ(last, 1.5f);
}

TEST(SampleStore, TruncateOnlyShortens)
{
    store_t s;
    s.resize(10, 1);
    testing::internal::CaptureStdout();
    s.truncate(10);
    s.truncate(12);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    s.truncate(4);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "win truncate successful\n");
    EXPECT_EQ(s.size(), 4u);
}

TEST(SampleStore, MissingFileReadsEmptyAndReportsFailures)
{
    store_t s;
    std::remove(s.path.c_str());
    EXPECT_EQ(s.size(), 0u);
    testing::internal::CaptureStderr();
    short v = 3;
    s.at(0, &v);
    EXPECT_EQ(v, 0);
    s.set(0, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: file failed to load"
                                                        "Error: file failed to load");
    EXPECT_FALSE(file_exists(s.path));
}

TEST(SampleStore, DestructionRemovesTheFile)
{
    std::string p;
    {
        store_t s;
        p = s.path;
        EXPECT_TRUE(file_exists(p));
    }
    EXPECT_FALSE(file_exists(p));
}

TEST(SampleStore, CompanionAndScratchNames)
{
    EXPECT_EQ(lib_wv_companion_path("/d/.wave_data_buffer.bin"), "/d/.wave_data_buffer_math_temp_data.bin");
    EXPECT_EQ(lib_wv_companion_path("/d/.wave_data_buffer_3.bin"), "/d/.wave_data_buffer_3_math_temp_data.bin");
    EXPECT_EQ(lib_wv_scratch_path("/d/.wave_data_buffer_3.bin"), "/d/.wave_data_buffer_3_temp.bin");
    EXPECT_TRUE(lib_is_wave_buffer_name(".wave_data_buffer_12_math_temp_data.bin"));
    EXPECT_FALSE(lib_is_wave_buffer_name(".wave_data_buffer__math_temp_data.bin"));
    EXPECT_FALSE(lib_is_wave_buffer_name(".wave_data_buffer_3_temp.bin"));
    EXPECT_FALSE(lib_is_wave_buffer_name(".wave_data_buffer_01.bin"));
    EXPECT_FALSE(lib_is_wave_buffer_name(".wave_data_buffer_0.bin"));
}

TEST(SampleStoreNaming, LinkAtAFreeNameIsPassedOverNotFollowed)
{
    ASSERT_EQ(symlink("elsewhere.bin", ".wave_data_buffer.bin"), 0);
    {
        lib_wv_file_buffer_t<float> sweeper; // the first store sweeps; a link is no leftover of ours
    }
    store_t s;
    EXPECT_EQ(s.path, in_cwd(".wave_data_buffer_1.bin"));
    EXPECT_FALSE(file_exists("elsewhere.bin"));
}

// A removed working folder cannot be read: no store file anywhere, no sweep of "/"; the
// sweep is still owed to the first folder that can be read.
TEST(SampleStoreNaming, UnreadableWorkingFolderMakesNoFile)
{
    const std::string home = plat_getcwd();
    write_file(".wave_data_buffer_4.bin", "stale");
    ASSERT_EQ(mkdir("gone", 0755), 0);
    ASSERT_EQ(chdir("gone"), 0);
    ASSERT_EQ(rmdir("../gone"), 0);
    testing::internal::CaptureStderr();
    {
        store_t s;
        EXPECT_TRUE(s.path.empty());
        EXPECT_TRUE(s.naming_pending);
        EXPECT_EQ(s.size(), 0u);
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("working folder cannot be read"), std::string::npos);
    ASSERT_EQ(chdir(home.c_str()), 0);
    EXPECT_TRUE(file_exists(".wave_data_buffer_4.bin"));
    store_t here;
    EXPECT_EQ(here.path, in_cwd(".wave_data_buffer.bin"));
    EXPECT_FALSE(file_exists(".wave_data_buffer_4.bin"));
}

namespace {

// Another process that holds one sample record in this folder, rewritten by an edit
// (a new file under the same name), until told to end; it then ends without its
// destructors, as a crash would.
struct live_peer_t
{
    pid_t pid = -1;
    int stop_fd = -1;
    std::string path;

    live_peer_t()
    {
        int ready[2], stop[2];
        if (pipe(ready) != 0 || pipe(stop) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            close(ready[0]);
            close(stop[1]);
            lib_wv_data_t<short> r;
            fill_record(r, ramp_samples(10));
            r.erase_range(0, 5);
            std::string p = r.samples.path + "\n";
            (void)!write(ready[1], p.data(), p.size());
            char c;
            (void)!read(stop[0], &c, 1);
            _exit(0);
        }
        close(ready[1]);
        close(stop[0]);
        stop_fd = stop[1];
        char c;
        while (read(ready[0], &c, 1) == 1 && c != '\n')
            path += c;
        close(ready[0]);
    }

    void end()
    {
        if (stop_fd >= 0)
            close(stop_fd);
        stop_fd = -1;
        int status = 0;
        if (pid > 0)
            waitpid(pid, &status, 0);
        pid = -1;
    }

    ~live_peer_t() { end(); }
};

} // namespace

TEST(SampleStoreSweep, LeavesFilesOfLiveProcessesAndOtherUsers)
{
    live_peer_t peer;
    ASSERT_EQ(peer.path, in_cwd(".wave_data_buffer.bin"));
    write_file(".wave_data_buffer_5.bin", "stale");
    write_file(".wave_data_buffer_math_temp_data.bin", "the peer's");
    write_file(".wave_data_buffer_6.bin", "someone else's");
    // Only root can hand a file to another user; elsewhere that case is left out.
    const bool foreign = chown(".wave_data_buffer_6.bin", 65534, 65534) == 0;

    store_t mine; // this process's first store sweeps
    EXPECT_EQ(mine.path, in_cwd(".wave_data_buffer_1.bin"));
    EXPECT_TRUE(file_exists(peer.path));
    EXPECT_TRUE(file_exists(".wave_data_buffer_math_temp_data.bin"));
    EXPECT_FALSE(file_exists(".wave_data_buffer_5.bin"));
    if (foreign)
        EXPECT_TRUE(file_exists(".wave_data_buffer_6.bin"));

    // The exit clean-up follows the same rules; this process's own live store stays too.
    lib_remove_wave_buffer_files(plat_getcwd() + "/");
    EXPECT_TRUE(file_exists(peer.path));
    EXPECT_TRUE(file_exists(mine.path));
    if (foreign)
        EXPECT_TRUE(file_exists(".wave_data_buffer_6.bin"));

    peer.end();
    lib_remove_wave_buffer_files(plat_getcwd() + "/");
    EXPECT_FALSE(file_exists(peer.path));
    EXPECT_FALSE(file_exists(".wave_data_buffer_math_temp_data.bin"));
    EXPECT_TRUE(file_exists(mine.path));
}
