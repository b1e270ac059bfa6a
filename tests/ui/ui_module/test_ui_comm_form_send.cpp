// Sending from the communication dialog: the name and limit checks, the segments, and
// what the simulated generator stores.
#include "cfg_if_digwv.h"
#include "comm_form_fixture.h"
#include "lib_alloc.h"

#include <QFile>
#include <QTextCodec>

namespace {

QByteArray file_bytes(const std::string &path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

std::vector<std::string> written(instrument_env_t &env)
{
    std::vector<std::string> out;
    for (const auto &e : env.journal().of_kind(sim_journal_entry_t::WRITE))
        out.push_back(e.text);
    return out;
}

} // namespace

TEST_F(CommFormTest, NameCodecIsAvailable) { EXPECT_NE(QTextCodec::codecForName("GB2312"), nullptr); }

// The name comes from the window title and must be plain ASCII of 1 to 18 characters.
TEST_F(CommFormTest, NamesFromTitles)
{
    add_doc(16384);
    open_send({"Wave book1-a"});
    struct case_t
    {
        const char *title;
        int code;
        const char *name;
    };
    const case_t cases[] = {
        {"3-sine", 0, "sine"},
        {"sine", -35, ""},
        {"wave.csv", 0, "wave"},
        {"1-my wave", -37, ""},
        {"2-a.b", -37, ""},
        {"1-a_b-9", 0, "a_b-9"},
        {"1-abcdefghijklmnopqr", 0, "abcdefghijklmnopqr"},
        {"1-abcdefghijklmnopqrs", -37, ""},
        {"1-\xe6\xb3\xa2\xe5\xbd\xa2", -36, ""},
        {"x-dir/y", 0, "y"},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.title);
        form->set_wave_name(ui_comm_form_t::wave_name_from_title(QString::fromUtf8(c.title)));
        std::string name = "<unset>";
        EXPECT_EQ(form->check_wave_name(name), c.code);
        if (c.code == 0) {
            EXPECT_EQ(name, c.name);
        }
    }
}

// The model's limits, in the order points, phase, frequency, amplitude, offset, and the
// 512K slot rules of class 6.
TEST_F(CommFormTest, LimitChecksBeforeAnyTraffic)
{
    struct case_t
    {
        const char *name;
        int model_class;
        const char *extra;
        uint32 points;
        double freq;
        float amp;
        float offset;
        float phase;
        int slot;
        int code;
    };
    const case_t cases[] = {
        {"fits", 2, "", 16384, 1000, 2, 0, 0, 0, 0},
        {"too few points", 2, "", 1, 1000, 2, 0, 0, 0, -25},
        {"points before phase", 2, "", 1, 1000, 2, 0, 400, 0, -25},
        {"frequency", 2, "", 16384, 1e8, 2, 0, 0, 0, -26},
        {"amplitude", 2, "", 16384, 1000, 0.0001f, 0, 0, 0, -27},
        {"offset", 2, "", 16384, 1000, 2, 50, 0, 0, -28},
        {"phase", 2, "", 16384, 1000, 2, 0, 400, 0, -29},
        {"512K to ARB24 of 32", 6, "HW-40", 524288, 1000, 2, 0, 0, 23, -33},
        {"512K to ARB25 of 32", 6, "HW-40", 524288, 1000, 2, 0, 0, 24, 0},
        {"512K to ARB3 of 4", 6, "HW-20", 524288, 1000, 2, 0, 0, 2, -34},
        {"512K to ARB4 of 4", 6, "HW-20", 524288, 1000, 2, 0, 0, 3, 0},
        {"16K to ARB1 of 32", 6, "HW-40", 16384, 1000, 2, 0, 0, 0, 0},
        {"one short of 512K", 6, "HW-40", 524287, 1000, 2, 0, 0, 24, -25},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        awgs.clear();
        docs.clear();
        add_gen(c.model_class, c.extra);
        cfg_if_wv_t *w = add_doc(c.points, c.freq, c.amp, c.phase);
        w->set_offset(c.offset);
        open_send({"Wave book1-wave"});
        connect_row(0);
        form->arb_combo->setCurrentIndex(c.slot);
        int model = -1;
        EXPECT_EQ(form->check_send_param(model), c.code);
        if (c.code == 0) {
            EXPECT_EQ(model, c.model_class);
        }
        env.journal().clear();
        QTest::mouseClick(form->send_btn, Qt::LeftButton);
        if (c.code != 0) {
            EXPECT_TRUE(written(env).empty()) << written(env).front();
        }
        delete form.data();
    }
}

TEST_F(CommFormTest, SegmentCounts)
{
    add_doc(16384);
    open_send({"Wave book1-a"});
    struct case_t
    {
        uint32 points;
        bool more;
        int count;
        int remainder;
    };
    for (const case_t c : {case_t{16384, false, 1, 0}, case_t{20971520, false, 1, 0}, case_t{20971521, true, 2, 1},
                           case_t{41943040, true, 2, 0}, case_t{41943041, true, 3, 1}}) {
        SCOPED_TRACE(c.points);
        form->get_wave()->set_wv_len(c.points);
        bool more = !c.more;
        int count = -1, remainder = -1;
        form->get_send_chunk_count(more, count, remainder);
        EXPECT_EQ(more, c.more);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(remainder, c.remainder);
    }
}

// The chosen document goes over whole: its sample file's bytes arrive, under the name of
// its title, and the user hears of the success.
TEST_F(CommFormTest, SendStoresTheChosenDocument)
{
    add_gen(2);
    add_doc(16384, 1000.0);
    add_doc(3000, 250.0, 3.0f);
    open_send({"Wave book1-first", "Wave book2-second"}, 0);
    connect_row(0);
    QTest::mouseClick(form->send_btn, Qt::LeftButton);
    EXPECT_EQ(prompts.texts, QStringList{"Send waveform to AWG successfully."});
    ASSERT_NE(engine(0).wave("first"), nullptr);
    EXPECT_EQ(QByteArray::fromStdString(engine(0).wave("first")->data),
              file_bytes(docs[0]->get_wv_data()->samples.get_path()));

    // The user picks the second title.
    QTest::keyClick(form->wave_combo, Qt::Key_Down);
    ASSERT_EQ(form->wave_combo->currentIndex(), 1);
    QTest::mouseClick(form->send_btn, Qt::LeftButton);
    const sim_wave_t *second = engine(0).wave("second");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(QByteArray::fromStdString(second->data), file_bytes(docs[1]->get_wv_data()->samples.get_path()));
    EXPECT_EQ(second->fields.at("FREQ"), "250");
    EXPECT_EQ(second->fields.at("AMPL"), "3");
    EXPECT_EQ(second->channel, 0);
}

// Above 20,971,520 points the waveform goes in segments, "BEGIN," on the first and
// "END," on the last.
TEST_F(CommFormTest, LongWaveformGoesInTwoSegments)
{
    add_gen(0);
    engine(0).keep_samples = false;
    add_doc(20971521, 10.0);
    open_send({"Wave book1-long"});
    connect_row(0);
    env.journal().clear();
    QTest::mouseClick(form->send_btn, Qt::LeftButton);
    EXPECT_EQ(prompts.texts, QStringList{"Send waveform to AWG successfully."});
    std::vector<std::string> heads;
    for (const std::string &w : written(env))
        if (w.find("WVDT") != std::string::npos)
            heads.push_back(w);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_NE(heads[0].find("WVDT:SEGMENT "), std::string::npos);
    EXPECT_NE(heads[0].find("BEGIN,WAVEDATA,"), std::string::npos);
    EXPECT_NE(heads[1].find("END,WAVEDATA,"), std::string::npos);
    const sim_wave_t *w = engine(0).wave("long");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->segments, 2);
    EXPECT_EQ(w->data_bytes, 2u * 20971521u);
}

TEST_F(CommFormTest, DigitalWaveformGoesWithItsBitRate)
{
    add_gen(1);
    auto digital = std::make_unique<cfg_if_digwv_t>();
    digital->set_bit_rate(2000000.0);
    digital->set_wv_len(4096);
    digital->init_wv_data();
    digital->set_wv_type(static_cast<lib_wv_type_t>(12));
    docs.push_back(std::move(digital));
    open_send({"Wave book1-bits"});
    connect_row(0);
    QTest::mouseClick(form->digital_rdbtn, Qt::LeftButton);
    QTest::mouseClick(form->send_btn, Qt::LeftButton);
    EXPECT_EQ(prompts.texts, QStringList{"Send waveform to AWG successfully."});
    const sim_wave_t *w = engine(0).wave("bits");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->channel, 8);
    EXPECT_EQ(w->fields.at("BRATE"), "2000000");
}

// A generator that fails mid-send, or memory that runs out, ends the send with its
// message; the dialog stays usable.
TEST_F(CommFormTest, SendFailures)
{
    add_gen(2);
    add_doc(16384);
    open_send({"Wave book1-w"});
    QSignalSpy info(form.data(), SIGNAL(system_info_signal(int32)));
    connect_row(0);
    engine(0).faults().refuse_write = "WVDT";
    QTest::mouseClick(form->send_btn, Qt::LeftButton);
    EXPECT_EQ(prompts.texts, QStringList{"Failed to send waveform to AWG.\nPlease check the connection."});
    engine(0).faults().refuse_write.reset();

    prompts.texts.clear();
    {
        lib_alloc_fail_scope_t no_memory(0, 16384);
        QTest::mouseClick(form->send_btn, Qt::LeftButton);
    }
    EXPECT_TRUE(prompts.texts.isEmpty());
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info[0][0].toInt(), 0);

    QTest::mouseClick(form->send_btn, Qt::LeftButton);
    EXPECT_EQ(prompts.texts, QStringList{"Send waveform to AWG successfully."});
}
