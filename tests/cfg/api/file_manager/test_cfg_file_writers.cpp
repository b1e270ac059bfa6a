#include "cfg_csv_main.h"
#include "cfg_file_main.h"
#include "cfg_outside_file.h"
#include "file_test_util.h"
#include "lib_file_io.h"
#include "test_comma_locale.h"
#include "test_fsize_limit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using samples_t = std::vector<short int>;

const std::string k_three_rows_csv = "data length,3\r\n"
                                     "frequency,1000.000000\r\n"
                                     "amp,2.000000\r\n"
                                     "offset,0.000000\r\n"
                                     "phase,0.000000\r\n"
                                     "\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                     "xpos,value\r\n"
                                     "1,-1\r\n"
                                     "2,0\r\n"
                                     "3,1\r\n";

// Saves as the main window does: the reader carries the waveform's parameters.
int save(const std::string &path, test_wave_t &wave, uint32 points)
{
    cfg_file_main_t file(path);
    file.reader->set_points(points);
    file.reader->set_freq(static_cast<float>(*wave.get_freq()));
    file.reader->set_amp(*wave.get_amp());
    file.reader->set_offset(*wave.get_offset());
    file.reader->set_phase(*wave.get_phase());
    return file.save_outside_file(path, &wave);
}

int save(const std::string &path, test_wave_t &wave)
{
    return save(path, wave, wave.get_wv_data()->samples.size());
}

// Names in a folder that look like a save's temporary file.
std::vector<std::string> temp_leftovers(const std::string &dir)
{
    std::vector<std::string> found;
    if (DIR *d = opendir(dir.c_str())) {
        while (dirent *e = readdir(d))
            if (std::string(e->d_name).find(".tmp") != std::string::npos)
                found.push_back(e->d_name);
        closedir(d);
    }
    return found;
}

TEST(CsvWriter, ThreeSamplesGiveTheExactText)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), {-32767, 0, 32767});
    ASSERT_EQ(0, save("three.csv", wave));
    EXPECT_EQ(k_three_rows_csv, read_file("three.csv"));
}

// Also under a decimal-comma locale: files always carry decimal points.
TEST(CsvWriter, RoundTripIsByteExact)
{
    const auto round_trip = [] {
        test_wave_t wave;
        wave.set_amp(4.0f);
        wave.set_offset(1.0f);
        wave.set_freq(12345.678);
        wave.set_phase(33.3f);
        put_samples(*wave.get_wv_data(), {-32767, 0, 32767, 32767, 0});
        EXPECT_EQ(0, save("first.csv", wave));

        test_wave_t back;
        cfg_file_main_t file("first.csv");
        EXPECT_EQ(1, file.open_outside_file("first.csv", *back.get_wv_data()));
        EXPECT_EQ(samples_of(*wave.get_wv_data()), samples_of(*back.get_wv_data()));
        back.set_amp(back.get_wv_data()->amp);
        back.set_offset(back.get_wv_data()->offset);
        back.set_freq(*file.reader->get_freq());
        back.set_phase(*file.reader->get_phase());
        EXPECT_EQ(0, save("second.csv", back, *file.reader->get_points()));
        EXPECT_EQ(read_file("first.csv"), read_file("second.csv"));
        EXPECT_NE(std::string::npos, read_file("second.csv").find("\r\nfrequency,12345.677734\r\n"));
        return read_file("first.csv");
    };
    const std::string in_c = round_trip();
    test_comma_locale_t comma;
    if (!comma.ok())
        GTEST_SKIP() << test_comma_locale_t::missing;
    EXPECT_EQ(in_c, round_trip());
}

// Long waveforms take their value texts from a table built once; every row must
// still be what printf("%g") gives for the sample's volts.
TEST(CsvWriter, EverySampleValueIsFormattedAsPrintfG)
{
    test_wave_t wave;
    wave.set_amp(3.3f);
    wave.set_offset(-0.25f);
    samples_t all;
    for (int s = -32768; s <= 32767; ++s)
        all.push_back(static_cast<short int>(s));
    put_samples(*wave.get_wv_data(), all);
    ASSERT_EQ(0, save("all.csv", wave));
    const std::string text = read_file("all.csv");
    size_t at = text.find("xpos,value\r\n") + 12;
    char want[64];
    for (size_t i = 0; i < all.size(); ++i) {
        double volts = all[i] / 32767.0 * static_cast<double>(3.3f) / 2.0 + static_cast<double>(-0.25f);
        int n = std::snprintf(want, sizeof want, "%zu,%g\r\n", i + 1, volts);
        ASSERT_EQ(0, text.compare(at, static_cast<size_t>(n), want)) << "row " << i + 1;
        at += static_cast<size_t>(n);
    }
    EXPECT_EQ(text.size(), at);
}

TEST(CsvWriter, PointCountLineComesFromTheReader)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), samples_t(100, 0));
    ASSERT_EQ(0, save("hundred.csv", wave, 16384));
    const std::string text = read_file("hundred.csv");
    EXPECT_EQ(0u, text.find("data length,16384\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\n100,0\r\n"));
    EXPECT_EQ(std::string::npos, text.find("\r\n101,"));
}

TEST(CsvWriter, EmptyPathIsRefused)
{
    test_wave_t wave;
    cfg_file_main_t file("a.csv");
    EXPECT_EQ(-1, file.reader->write_csv_file("", &wave));
    EXPECT_EQ(-1, file.reader->write_csv_file("a.dat", &wave));
}

TEST(DatWriter, WritesRowsTheDatReaderTakes)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), {-32767, 0, 32767});
    ASSERT_EQ(0, save("three.dat", wave));
    EXPECT_EQ("xpos,value\r\n1,-1\r\n2,0\r\n3,1\r\n", read_file("three.dat"));

    test_wave_t back;
    cfg_file_main_t file("three.dat");
    ASSERT_EQ(1, file.open_outside_file("three.dat", *back.get_wv_data()));
    EXPECT_EQ((samples_t{-32767, 0, 32767}), samples_of(*back.get_wv_data()));
}

TEST(BinWriter, SavedSamplesOpenWithFixedLevels)
{
    test_wave_t wave;
    wave.set_amp(1.0f);
    put_samples(*wave.get_wv_data(), {-32768, -1, 0, 1, 32767});
    ASSERT_EQ(1, save("wave.bin", wave));
    EXPECT_EQ(std::string("\x00\x80\xff\xff\x00\x00\x01\x00\xff\x7f", 10), read_file("wave.bin"));

    test_wave_t back;
    cfg_file_main_t file("wave.bin");
    ASSERT_EQ(1, file.open_outside_file("wave.bin", *back.get_wv_data()));
    EXPECT_EQ(samples_of(*wave.get_wv_data()), samples_of(*back.get_wv_data()));
    EXPECT_FLOAT_EQ(6.0f, back.get_wv_data()->amp);
    EXPECT_FLOAT_EQ(-3.0f, back.get_wv_data()->offset);
    EXPECT_FLOAT_EQ(3.0f, *file.reader->get_high());
    EXPECT_FLOAT_EQ(-3.0f, *file.reader->get_low());
}

TEST(BinWriter, MissingSampleFileIsReported)
{
    test_wave_t wave;
    const std::string source = wave.get_wv_data()->samples.get_path();
    std::remove(source.c_str());
    testing::internal::CaptureStdout();
    EXPECT_EQ(-13, copy_wave_data_file("out.bin", *wave.get_wv_data()));
    EXPECT_EQ("文件" + source + "打开失败\n", testing::internal::GetCapturedStdout());
    EXPECT_FALSE(access("out.bin", F_OK) == 0);
}

// Destinations that cannot be written, for every kind of save: nothing is reported
// as saved and whatever stood there before is unchanged.
TEST(FailedSave, DestinationThatCannotBeCreatedIsReported)
{
    write_file("plain_file", "not a folder");
    ASSERT_EQ(0, mkdir("folder.csv", 0755));
    ASSERT_EQ(0, mkdir("folder.dat", 0755));
    ASSERT_EQ(0, mkdir("folder.bin", 0755));
    write_file("folder.csv/inside", "kept");
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), {1, 2, 3});
    const char *paths[] = {"plain_file/wave.csv", "plain_file/wave.dat", "plain_file/wave.bin",
                           "folder.csv",          "folder.dat",          "folder.bin"};
    for (const char *path : paths) {
        SCOPED_TRACE(path);
        EXPECT_EQ(-13, save(path, wave));
    }
    EXPECT_EQ("not a folder", read_file("plain_file"));
    EXPECT_EQ("kept", read_file("folder.csv/inside"));
    EXPECT_TRUE(temp_leftovers(".").empty());
}

TEST(FailedSave, BinFailureNamesTheDestination)
{
    write_file("plain_file", "x");
    test_wave_t wave;
    testing::internal::CaptureStdout();
    EXPECT_EQ(-13, copy_wave_data_file("plain_file/wave.bin", *wave.get_wv_data()));
    EXPECT_EQ("文件plain_file/wave.bin打开失败\n", testing::internal::GetCapturedStdout());
}

// The save runs out of room halfway and the old file must survive whole.
TEST(FailedSave, WriteThatRunsOutOfRoomKeepsTheOldFile)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), samples_t(20000, 1234));
    const char *paths[] = {"old.csv", "old.dat", "old.bin"};
    for (const char *path : paths)
        write_file(path, "the user's good file");

    int results[3];
    {
        test_fsize_limit_t full(4096);
        ASSERT_TRUE(full.ok());
        for (int i = 0; i < 3; ++i)
            results[i] = save(paths[i], wave);
    }

    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(paths[i]);
        EXPECT_EQ(-13, results[i]);
        EXPECT_EQ("the user's good file", read_file(paths[i]));
    }
    EXPECT_TRUE(temp_leftovers(".").empty());
}

TEST(SafeSave, ReplacementKeepsModeAndLink)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), {-32767, 0, 32767});
    ASSERT_EQ(0, mkdir("real", 0755));
    write_file("real/target.csv", "old");
    ASSERT_EQ(0, chmod("real/target.csv", 0640));
    ASSERT_EQ(0, symlink("real/target.csv", "link.csv"));

    ASSERT_EQ(0, save("link.csv", wave));
    struct stat st;
    ASSERT_EQ(0, lstat("link.csv", &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(k_three_rows_csv, read_file("real/target.csv"));
    ASSERT_EQ(0, stat("real/target.csv", &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
    EXPECT_TRUE(temp_leftovers("real").empty());
}

TEST(SafeSave, LoopOfLinksIsRefusedAndLeftAlone)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), {1, 2, 3});
    for (const char *ext : {".csv", ".dat", ".bin"}) {
        SCOPED_TRACE(ext);
        const std::string a = std::string("a") + ext, b = std::string("b") + ext, self = std::string("self") + ext;
        ASSERT_EQ(0, symlink(b.c_str(), a.c_str()));
        ASSERT_EQ(0, symlink(a.c_str(), b.c_str()));
        ASSERT_EQ(0, symlink(self.c_str(), self.c_str()));
        for (const std::string &path : {a, self}) {
            EXPECT_EQ(-13, save(path, wave));
            struct stat st;
            ASSERT_EQ(0, lstat(path.c_str(), &st));
            EXPECT_TRUE(S_ISLNK(st.st_mode));
        }
        char link[64] = {};
        ASSERT_GT(readlink(a.c_str(), link, sizeof link - 1), 0);
        EXPECT_EQ(b, link);
    }
    EXPECT_TRUE(temp_leftovers(".").empty());
}

// A save killed midway leaves its temporary behind; the next save to the same
// destination removes it, unless a live process still writes it.
TEST(SafeSave, NextSaveRemovesStaleTemporariesOfItsDestination)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), {1, 2, 3});
    write_file("wave.csv.ondrix.tmpAb12Cd", std::string(1000, 'x'));   // stale
    write_file("other.csv.ondrix.tmpAb12Cd", "another destination's"); // not this save's
    write_file("wave.csv.ondrix.tmpAb12C", "not the pattern");
    write_file("wave.csv.ondrix.tmpLive01", "being written");
    lib_fd_t live(open("wave.csv.ondrix.tmpLive01", O_RDONLY));
    ASSERT_TRUE(lib_lock_file(live.get()));
    ASSERT_EQ(0, symlink("elsewhere", "wave.csv.ondrix.tmpLink01"));

    ASSERT_EQ(0, save("wave.csv", wave));
    std::vector<std::string> left = temp_leftovers(".");
    std::sort(left.begin(), left.end());
    EXPECT_EQ((std::vector<std::string>{"other.csv.ondrix.tmpAb12Cd", "wave.csv.ondrix.tmpAb12C",
                                        "wave.csv.ondrix.tmpLink01", "wave.csv.ondrix.tmpLive01"}),
              left);
    EXPECT_TRUE(lib_is_save_temp_of("wave.csv.ondrix.tmpAb12Cd", "wave.csv"));
    EXPECT_FALSE(lib_is_save_temp_of("wave.csv.ondrix.tmpAb1-Cd", "wave.csv"));
    EXPECT_FALSE(lib_is_save_temp_of("xwave.csv.ondrix.tmpAb12Cd", "wave.csv"));
}

} // namespace

TEST(InfoFile, ParametersStandBesideTheBinFile)
{
    cfg_csv_main_t reader;
    reader.set_freq(2000.0f);
    reader.set_amp(4.0f);
    reader.set_offset(-0.5f);
    reader.set_phase(45.0f);
    EXPECT_FALSE(reader.write_info_file("wave.csv"));
    ASSERT_TRUE(reader.write_info_file("wave.bin"));
    std::FILE *f = std::fopen("wave.info", "rb");
    ASSERT_NE(f, nullptr);
    char buf[512] = {};
    std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    std::string text = buf;
    EXPECT_NE(text.find("<bin_info_root>"), std::string::npos);
    EXPECT_NE(text.find("<freq>2000.000000</freq>"), std::string::npos);
    EXPECT_NE(text.find("<offset>-0.500000</offset>"), std::string::npos);
    EXPECT_NE(text.find("<phase>45.000000</phase>"), std::string::npos);
}
