#include "comm_test_util.h"
#include "instr_send_wv.h"
#include "lib_alloc.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// One download's arguments (the sample record aside).
struct send_t
{
    int ch = 0;
    float amp = 2.0f;
    float offset = 0.0f;
    double freq = 1000.0;
    double srate = 16384000.0;
    float phase = 0.0f;
    int len = 16384;
    std::string name = "wave1";
    std::string store = "/Local";
    uint32 model = 2;
    int segment = 1;
    bool more = false;
};

int32 send(ViSession s, const send_t &a, const lib_wv_data_t<short int> &data)
{
    return instr_send_wave(s, a.ch, a.amp, a.offset, a.freq, a.srate, a.phase, a.len, a.name, data, a.store,
                           a.model, a.segment, a.more);
}

// The journalled download messages (their text up to "WAVEDATA,").
std::vector<sim_journal_entry_t> downloads(sim_journal_t &j)
{
    std::vector<sim_journal_entry_t> out;
    for (const auto &e : j.of_kind(sim_journal_entry_t::WRITE))
        if (e.text.find("WAVEDATA,") != std::string::npos)
            out.push_back(e);
    return out;
}

} // namespace

class InstrSendWv : public comm_test_t
{
protected:
    void SetUp() override
    {
        session = connect(sim_generator_profile(2), &engine);
        write_samples(record, {1, -2, 3, 32767, -32768});
    }

    std::shared_ptr<sim_engine_t> engine;
    ViSession session = 0;
    lib_wv_data_t<short int> record;
};

TEST_F(InstrSendWv, HeaderOfEveryVariant)
{
    const struct {
        const char *name;
        send_t args;
        const char *head;
    } cases[] = {
        {"one piece, long keys", {}, "C1:WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,wave1,LENGTH,32768,WAVEDATA,"},
        {"short keys and digits of float and double",
         {1, 0.1f, -0.5f, 1.0 / 3, 0, 90, 1000, "w0", "/Local", 0},
         "C2:WVDT TYPE,10,FRQ,0.3333333333333333,AMP,0.1,OFST,-0.5,PHSE,90,WVNM,w0,LENGTH,2000,WAVEDATA,"},
        {"class 1 on the fourth channel", {3, 2, 0, 1e-7, 0, 0, 2, "w1", "ARB1", 1},
         "C4:WVDT TYPE,10,FRQ,1e-07,AMP,2,OFST,0,PHSE,0,WVNM,w1,LENGTH,4,WAVEDATA,"},
        {"storage slot and kilobytes", {0, 2, 0, 1000, 0, 0, 16384, "w6", "ARB5", 6},
         "C1:WVDT M5,TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,w6,LENGTH,32KB,WAVEDATA,"},
        {"no slot without ARB", {0, 2, 0, 1000, 0, 0, 16384, "w6", "/Local", 6},
         "C1:WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,w6,LENGTH,32KB,WAVEDATA,"},
        {"kilobytes drop the remainder", {1, 2, 0, 1000, 0, 0, 1000, "w7", "ARB12", 7},
         "C2:WVDT M12,TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,w7,LENGTH,1KB,WAVEDATA,"},
        {"no slot for other classes", {0, 2, 0, 1000, 0, 0, 10, "w2", "ARB5", 2},
         "C1:WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,w2,LENGTH,20,WAVEDATA,"},
        {"digital output", {8, 3.3f, 1.65f, 1000, 1.5e9, 0, 1000, "d", "/Local", 2},
         "DIG:WVDT FREQ,1000,BRATE,1500000000,AMPL,3.3,OFST,1.65,PHASE,0,WVNM,d,LENGTH,2000,WAVEDATA,"},
        {"digital output, short keys", {8, 1, 0.5f, 10, 200, 45, 4, "d0", "/Local", 0},
         "DIG:WVDT FRQ,10,BRATE,200,AMP,1,OFST,0.5,PHSE,45,WVNM,d0,LENGTH,8,WAVEDATA,"},
        {"unknown channel code has no prefix", {5, 2, 0, 1000, 0, 0, 10, "w", "/Local", 9},
         "WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,w,LENGTH,20,WAVEDATA,"},
        {"class 10 like class 2", {0, 2, 0, 1000, 0, 0, 10, "w", "ARB2", 10},
         "C1:WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,w,LENGTH,20,WAVEDATA,"},
        {"first of several segments", {0, 2, 0, 1000, 0, 0, 30000000, "s", "/Local", 2, 1, true},
         "C1:WVDT:SEGMENT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,s,LENGTH,60000000,BEGIN,WAVEDATA,"},
        {"middle segment", {0, 2, 0, 1000, 0, 0, 30000000, "s", "/Local", 2, 2, true},
         "C1:WVDT:SEGMENT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,s,LENGTH,60000000,WAVEDATA,"},
        {"last segment", {0, 2, 0, 1000, 0, 0, 30000000, "s", "/Local", 2, 3, false},
         "C1:WVDT:SEGMENT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,s,LENGTH,60000000,END,WAVEDATA,"},
        {"first segment with a slot", {0, 2, 0, 1000, 0, 0, 30000000, "s", "ARB3", 8, 1, true},
         "C1:WVDT:SEGMENT M3,TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,s,LENGTH,58593KB,BEGIN,WAVEDATA,"},
    };
    for (const auto &c : cases) {
        env.journal().clear();
        EXPECT_EQ(send(session, c.args, record), 1) << c.name;
        auto d = downloads(env.journal());
        ASSERT_EQ(d.size(), 1u) << c.name;
        EXPECT_EQ(d[0].text, c.head) << c.name;
    }
}

TEST_F(InstrSendWv, OnePieceThenSelectionByName)
{
    EXPECT_EQ(send(session, {}, record), 1);
    EXPECT_EQ(env.journal().writes(),
              (std::vector<std::string>{"C1:WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,wave1,LENGTH,32768,"
                                        "WAVEDATA,",
                                        "C1:ARWV NAME,wave1"}));
    ASSERT_NE(engine->wave("wave1"), nullptr);
    EXPECT_EQ(engine->wave("wave1")->data, sample_bytes({1, -2, 3, 32767, -32768}));
    EXPECT_EQ(engine->selected(0), "NAME,wave1");
    EXPECT_EQ(timeouts(), (std::vector<uint32>{60000, 2000}));
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 100}));
    EXPECT_EQ(instr_send_wv_t::segment_counter(), 1);
}

TEST_F(InstrSendWv, PreambleOfClassesZeroAndOne)
{
    send_t a;
    a.model = 0;
    a.ch = 1;
    a.offset = 0.5f;
    a.phase = 30;
    EXPECT_EQ(send(session, a, record), 1);
    auto w = env.journal().writes();
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[0], "C2:OUTPut OFF");
    EXPECT_EQ(w[1], "C2:BSWV OFST,0.5,PHSE,30,FRQ,1000,AMP,2");
    EXPECT_EQ(w[2], "C2:WVDT TYPE,10,FRQ,1000,AMP,2,OFST,0.5,PHSE,30,WVNM,wave1,LENGTH,32768,WAVEDATA,");
    EXPECT_EQ(w[3], "C2:ARWV NAME,wave1");
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 500, 100, 1000, 100, 100}));
    EXPECT_TRUE(engine->output_off(1));
    EXPECT_EQ(engine->basic_wave(1).at("FRQ"), "1000");

    // A later segment of such a download carries no preamble.
    env.journal().clear();
    a.segment = 2;
    EXPECT_EQ(send(session, a, record), 1);
    EXPECT_EQ(env.journal().writes().size(), 2u);
}

TEST_F(InstrSendWv, FourteenBitClassesShiftAndSelectBySlot)
{
    session = connect(sim_generator_profile(6), &engine);
    send_t a;
    a.model = 6;
    a.store = "ARB5";
    a.name = "w6";
    write_samples(record, {-5, -4, 7, 32767, -32768, 3});
    EXPECT_EQ(send(session, a, record), 1);
    ASSERT_NE(engine->wave("w6"), nullptr);
    EXPECT_EQ(engine->wave("w6")->data, sample_bytes({-2, -1, 1, 8191, -8192, 0}));
    EXPECT_EQ(env.journal().writes().back(), "C1:ARWV INDEX,5");

    a.store = "/Local";
    env.journal().clear();
    EXPECT_EQ(send(session, a, record), 1);
    EXPECT_EQ(env.journal().writes().back(), "C1:ARWV INDEX,");
}

TEST_F(InstrSendWv, ThreeSegmentsCarryTheirOwnSamples)
{
    // Three segments: two full ones and five samples; markers at each segment's ends.
    const uint64 total = 2ull * INSTR_SEGMENT_POINTS + 5;
    {
        lib_fd_t fd = lib_open_trunc(record.samples.path);
        ASSERT_EQ(ftruncate(fd.get(), off_t(total * 2)), 0);
        const uint64 seg = INSTR_SEGMENT_POINTS;
        for (uint64 at : {uint64(0), seg - 1, seg, 2 * seg - 1, 2 * seg, total - 1}) {
            int16 v = int16(at % 30000 + 4);
            ASSERT_EQ(lib_pwrite_all(fd.get(), &v, 2, at * 2), 2u);
        }
    }
    send_t a;
    a.len = int(total);
    a.name = "big";
    for (int seg = 1; seg <= 3; ++seg) {
        a.segment = seg;
        a.more = seg < 3;
        EXPECT_EQ(send(session, a, record), 1) << seg;
        EXPECT_EQ(instr_send_wv_t::segment_counter(), seg < 3 ? seg + 1 : 1);
    }
    auto d = downloads(env.journal());
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NE(d[0].text.find("LENGTH,83886090,BEGIN,WAVEDATA,"), std::string::npos);
    EXPECT_NE(d[1].text.find("LENGTH,83886090,WAVEDATA,"), std::string::npos);
    EXPECT_NE(d[2].text.find("LENGTH,83886090,END,WAVEDATA,"), std::string::npos);
    EXPECT_EQ(env.journal().writes().back(), "C1:ARWV NAME,big");
    const std::vector<uint32> waited = pauses();
    EXPECT_EQ(waited, (std::vector<uint32>{100, 100, 100, 100}));
    ASSERT_NE(engine->wave("big"), nullptr);
    EXPECT_TRUE(engine->errors().empty());
    std::vector<short int> file;
    record.read_all(file);
    EXPECT_TRUE(engine->wave("big")->data == std::string(reinterpret_cast<const char *>(file.data()), total * 2));

    // Classes 6 to 8 send each segment's own samples too.
    env.journal().clear();
    a.model = 7;
    a.segment = 3;
    a.more = false;
    a.name = "tail";
    EXPECT_EQ(send(session, a, record), 1);
    std::vector<int16> tail(file.end() - 5, file.end());
    for (int16 &v : tail)
        v = int16(v >> 2);
    d = downloads(env.journal());
    ASSERT_EQ(d.size(), 1u);
    std::string bytes = sample_bytes(tail);
    EXPECT_EQ(d[0].checksum, sim_checksum(bytes.data(), bytes.size()));
}

TEST_F(InstrSendWv, FailedWriteMidDownloadThenACleanOne)
{
    send_t a;
    a.len = 30000000;
    a.more = true;
    EXPECT_EQ(send(session, a, record), 1);
    EXPECT_EQ(instr_send_wv_t::segment_counter(), 2);
    engine->faults().refuse_write = "WVDT:SEGMENT";
    a.segment = 2;
    EXPECT_EQ(send(session, a, record), -1);
    EXPECT_EQ(instr_send_wv_t::segment_counter(), 1);
    EXPECT_EQ(timeouts(), (std::vector<uint32>{60000, 2000, 60000, 2000}));

    engine->faults().refuse_write.reset();
    env.journal().clear();
    EXPECT_EQ(send(session, send_t(), record), 1);
    auto d = downloads(env.journal());
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].text.substr(0, 8), "C1:WVDT ");
    EXPECT_EQ(engine->selected(0), "NAME,wave1");
}

TEST_F(InstrSendWv, ConnectionLostInTheTransfer)
{
    engine->faults().drop_in_write = "WAVEDATA,";
    send_t a;
    a.more = true;
    a.len = 30000000;
    EXPECT_EQ(send(session, a, record), -1);
    EXPECT_EQ(instr_send_wv_t::segment_counter(), 1);
    EXPECT_EQ(timeouts(), (std::vector<uint32>{60000, 2000}));
    EXPECT_EQ(engine->wave("wave1"), nullptr);

    // A new session starts a clean download.
    engine->faults().drop_in_write.reset();
    ViSession again = connect(sim_generator_profile(2), &engine);
    EXPECT_EQ(send(again, send_t(), record), 1);
    EXPECT_NE(engine->wave("wave1"), nullptr);
}

TEST_F(InstrSendWv, FailuresBeforeAndAfterTheDownload)
{
    // Session 0: nothing written, the counter untouched.
    send_t a;
    a.more = true;
    a.len = 30000000;
    ASSERT_EQ(send(session, a, record), 1);
    env.journal().clear();
    EXPECT_EQ(send(0, a, record), -30);
    EXPECT_EQ(instr_send_wv_t::segment_counter(), 2);
    EXPECT_TRUE(env.journal().writes().empty());

    // No memory for the command: -2, nothing written, the counter back to 1.
    {
        lib_alloc_fail_scope_t fail(1);
        a.segment = 2;
        EXPECT_EQ(send(session, a, record), -2);
    }
    EXPECT_EQ(instr_send_wv_t::segment_counter(), 1);
    EXPECT_TRUE(env.journal().writes().empty());

    // The basic-wave write of the preamble fails: no download.
    send_t b;
    b.model = 1;
    engine->faults().refuse_write = "BSWV";
    EXPECT_EQ(send(session, b, record), 0);
    EXPECT_TRUE(downloads(env.journal()).empty());
    engine->faults().refuse_write.reset();

    // The selection fails: stored but not selected.
    engine->faults().refuse_write = "ARWV";
    b.model = 2;
    b.name = "unselected";
    EXPECT_EQ(send(session, b, record), 0);
    EXPECT_NE(engine->wave("unselected"), nullptr);
    EXPECT_EQ(engine->selected(0), "");
    engine->faults().refuse_write.reset();

    // A sample file that is gone: nothing is sent.
    env.journal().clear();
    std::remove(record.samples.path.c_str());
    EXPECT_EQ(send(session, send_t(), record), -1);
    EXPECT_TRUE(env.journal().writes().empty());
}

TEST_F(InstrSendWv, UnusedBuilders)
{
    instr_send_wv_t w;
    w.set_params(1, 7, 1.5f, 0.25f, 50, 800, 10, "x", 16, 4);
    EXPECT_EQ(w.ch_code, 1);
    EXPECT_EQ(w.session, 7u);
    EXPECT_EQ(w.srate, 800);
    EXPECT_EQ(w.name, "x");
    EXPECT_EQ(w.model_class, 4u);
    EXPECT_EQ(w.length_from_file(record.samples.path), "LENGTH,5,");
    EXPECT_EQ(instr_send_wv_t::bswv_keyword(), "BSWV ");
    EXPECT_EQ(instr_send_wv_t::output_off_keyword(), "OUTPut OFF");
}

TEST_F(InstrSendWv, BigCommandsReuseOneKeptBuffer)
{
    // Past a megabyte the command lives in a buffer kept between sends: a second send of
    // the same size needs no new memory, a bigger one grows the buffer.
    std::vector<int16> samples(1u << 20, 7);
    write_samples(record, samples);
    send_t a;
    a.len = int(samples.size());
    ASSERT_EQ(send(session, a, record), 1);
    {
        lib_alloc_fail_scope_t no_big_memory(0, 1u << 20);
        EXPECT_EQ(send(session, a, record), 1);
        samples.push_back(8);
        write_samples(record, samples);
        a.len = int(samples.size());
        EXPECT_EQ(send(session, a, record), -2);
    }
    EXPECT_EQ(send(session, a, record), 1);
    ASSERT_NE(engine->wave("wave1"), nullptr);
    EXPECT_EQ(engine->wave("wave1")->data, sample_bytes(samples));
}
