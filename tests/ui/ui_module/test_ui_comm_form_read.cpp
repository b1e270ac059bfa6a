// Reading a stored waveform back and importing an oscilloscope trace through the
// communication dialog, against simulated instruments.
#include "comm_form_fixture.h"
#include "lib_alloc.h"

#include <QApplication>
#include <QFile>
#include <cstring>

namespace {

std::string sample_bytes(const std::vector<short int> &v)
{
    std::string s(v.size() * 2, '\0');
    std::memcpy(&s[0], v.data(), s.size());
    return s;
}

std::string file_bytes(const std::string &path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
}

sim_wave_t user_wave(const std::string &name, const std::vector<short int> &samples)
{
    sim_wave_t w;
    w.name = name;
    w.fields = {{"FREQ", "50"}, {"AMPL", "3"}, {"OFST", "0.5"}, {"PHASE", "90"}};
    w.data = sample_bytes(samples);
    return w;
}

QStringList combo_items(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

// Classes 0 to 5 list user waves beside the built-in ones; 6 and above only built-ins.
// Disconnecting empties the list.
TEST_F(CommFormTest, WaveListPerModelClass)
{
    for (int cls : {2, 6})
        add_gen(cls);
    for (int i = 0; i < 2; ++i)
        engine(static_cast<std::size_t>(i)).store_wave(user_wave("ramp1", {1, 2, 3}));
    open(1);
    connect_row(0);
    EXPECT_EQ(combo_items(form->wave_list_combo), QStringList({"SINE", "NOISE", "STAIRUP", "user:ramp1"}));
    EXPECT_EQ(form->get_wave_map()->value("user:ramp1"), "USER,ramp1");
    EXPECT_EQ(form->get_wave_map()->value("NOISE"), "M1");
    connect_row(1);
    EXPECT_EQ(combo_items(form->wave_list_combo), QStringList({"SINE", "NOISE", "STAIRUP"}));
    QTest::mouseClick(form->form()->btn_disconnect, Qt::LeftButton);
    EXPECT_EQ(form->wave_list_combo->count(), 0);
    EXPECT_TRUE(form->get_wave_map()->isEmpty());
}

// A read asks for the wave by its identifier (quoted for classes 0 and 1), takes its
// samples and parameters, names it and reports 6 with the object handed over.
TEST_F(CommFormTest, ReadTakesTheChosenWave)
{
    struct case_t
    {
        int model_class;
        const char *pick;
        const char *command;
        const char *name;
    };
    const case_t cases[] = {
        {0, "user:ramp1", "WVDT? \"user,ramp1\"", "ramp1"},
        {4, "user:ramp1", "WVDT? USER,ramp1", "ramp1"},
        {2, "NOISE", "WVDT? M1", "NOISE"},
    };
    const std::vector<short int> samples = {100, -200, 300, -400, 500};
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.command);
        awgs.clear();
        add_gen(c.model_class);
        sim_engine_t &e = *env.engine(static_cast<std::size_t>(serials - 1));
        e.store_wave(user_wave("ramp1", samples));
        open(1);
        QSignalSpy codes(form.data(), SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)));
        connect_row(0);
        form->wave_list_combo->setCurrentText(c.pick);
        env.journal().clear();
        QTest::mouseClick(form->read_btn, Qt::LeftButton);
        bool asked = false;
        for (const auto &w : env.journal().of_kind(sim_journal_entry_t::WRITE))
            asked = asked || w.text == c.command;
        EXPECT_TRUE(asked);
        ASSERT_EQ(codes.count(), 1);
        EXPECT_EQ(codes[0][1].toInt(), 6);
        EXPECT_EQ(form->get_wave_name(), c.name);
        cfg_if_wv_t *w = form->take_wave_object();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(form->take_wave_object(), nullptr) << "handed over once";
        if (QString(c.pick).startsWith("user:")) {
            EXPECT_EQ(file_bytes(w->get_wv_data()->samples.get_path()), sample_bytes(samples));
            EXPECT_EQ(*w->get_wv_len(), samples.size());
        }
        EXPECT_FLOAT_EQ(static_cast<float>(*w->get_freq()), 50.0f);
        EXPECT_FLOAT_EQ(*w->get_amp(), 3.0f);
        EXPECT_FLOAT_EQ(*w->get_offset(), 0.5f);
        EXPECT_FLOAT_EQ(*w->get_phase(), 90.0f);
        EXPECT_FLOAT_EQ(*w->get_high_level(), 2.0f);
        EXPECT_TRUE(prompts.texts.isEmpty());
        delete form.data();
        delete w;
    }
}

// Read with an empty list sends nothing and reports nothing.
TEST_F(CommFormTest, ReadWithNothingListedDoesNothing)
{
    add_gen(2);
    engine(0).profile().builtin_waves.clear();
    open(1);
    QSignalSpy codes(form.data(), SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)));
    connect_row(0);
    ASSERT_EQ(form->wave_list_combo->count(), 0);
    env.journal().clear();
    QTest::mouseClick(form->read_btn, Qt::LeftButton);
    EXPECT_TRUE(env.journal().of_kind(sim_journal_entry_t::WRITE).empty());
    EXPECT_EQ(codes.count(), 0);
    EXPECT_TRUE(prompts.texts.isEmpty());
}

// A garbled, silent or vanished generator: the step's message, the dialog keeps its
// session, and the waveform's parameters stay as built.
TEST_F(CommFormTest, ReadFailures)
{
    add_gen(2);
    engine(0).store_wave(user_wave("ramp1", {1, 2}));
    open(1);
    QSignalSpy codes(form.data(), SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)));
    QSignalSpy info(form.data(), SIGNAL(system_info_signal(int32)));
    connect_row(0);
    form->wave_list_combo->setCurrentText("user:ramp1");
    // Memory first: later reads keep their big buffer.
    {
        lib_alloc_fail_scope_t no_memory(0, 4096);
        QTest::mouseClick(form->read_btn, Qt::LeftButton);
    }
    EXPECT_TRUE(prompts.texts.isEmpty());
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info[0][0].toInt(), 0);
    struct case_t
    {
        const char *name;
        std::function<void(sim_faults_t &)> fault;
        const char *text;
    };
    const case_t cases[] = {
        {"silent parameters", [](sim_faults_t &f) { f.no_reply = "WVPR?"; },
         "Failed to read command from AWG.\nPlease check the connection of instrument."},
        {"silent read-back", [](sim_faults_t &f) { f.no_reply = "WVDT?"; },
         "Failed to read ARB data.\nPlease check the length of current waveform."},
        {"dropped read-back", [](sim_faults_t &f) { f.drop_in_reply = "WVDT?"; },
         "Failed to read ARB data.\nPlease check the length of current waveform."},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        engine(0).faults() = sim_faults_t();
        c.fault(engine(0).faults());
        prompts.texts.clear();
        QTest::mouseClick(form->read_btn, Qt::LeftButton);
        EXPECT_EQ(prompts.texts, QStringList{c.text});
        EXPECT_FLOAT_EQ(static_cast<float>(*form->get_wave()->get_freq()), 1000.0f);
        if (QString(c.name).startsWith("dropped")) {
            // The session died with the connection: disconnect and connect again.
            QTest::mouseClick(form->form()->btn_disconnect, Qt::LeftButton);
            engine(0).faults() = sim_faults_t();
            QTest::mouseClick(form->form()->btn_connect, Qt::LeftButton);
            form->wave_list_combo->setCurrentText("user:ramp1");
        }
    }
    EXPECT_EQ(codes.count(), 0);
    prompts.texts.clear();

    engine(0).faults().no_reply = "STL?";
    QTest::mouseClick(form->form()->btn_disconnect, Qt::LeftButton);
    QTest::mouseClick(form->form()->btn_connect, Qt::LeftButton);
    EXPECT_EQ(prompts.texts,
              QStringList{"Failed to get ARB waveform list.\nPlease check the connection of instrument."});

    engine(0).faults() = sim_faults_t();
    QTest::mouseClick(form->read_btn, Qt::LeftButton);
    EXPECT_EQ(codes.count(), 0) << "nothing listed after the failed list";
}

// Each point choice: a plain copy, decimation or interpolation; the frequency stays the
// trace's and the sample rate follows the point count.
TEST_F(CommFormTest, ImportResamplesToThePointChoice)
{
    add_scope(4);
    struct case_t
    {
        int trace_points;
        int choice;
        uint32 points;
    };
    const case_t cases[] = {
        {1000, 0, 1000}, {1000, 1, 16384}, {30000, 1, 16384}, {30000, 2, 32768}, {1000, 3, 524288},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(std::to_string(c.trace_points) + "/" + std::to_string(c.choice));
        std::vector<std::int8_t> codes(static_cast<std::size_t>(c.trace_points));
        for (std::size_t i = 0; i < codes.size(); ++i)
            codes[i] = static_cast<std::int8_t>(int(i % 100) - 50);
        engine(0).scope_channel(2).codes = codes;
        open(2);
        QSignalSpy out(form.data(), SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)));
        connect_row(0);
        QTest::mouseClick(form->ch_rdbtns[2], Qt::LeftButton);
        form->points_combo->setCurrentIndex(c.choice);
        QTest::mouseClick(form->import_btn, Qt::LeftButton);
        ASSERT_EQ(out.count(), 1) << prompts.texts.join("|").toStdString();
        EXPECT_EQ(out[0][1].toInt(), 7);
        cfg_if_wv_t *w = form->get_wave();
        EXPECT_EQ(w->get_wv_data()->samples.size(), c.points);
        EXPECT_EQ(*w->get_wv_len(), c.points);
        EXPECT_NEAR(*w->get_freq(), 100.0, 1e-4);
        EXPECT_NEAR(*w->get_srate() / c.points, 100.0, 1e-4);
        if (c.choice == 0) {
            // Codes -50..49 at 1 V/div: symmetric samples around the trace's middle.
            short int first = 0;
            w->get_wv_data()->samples.at(0, &first);
            EXPECT_EQ(first, -32767);
        }
        delete form.data();
    }
    // No import record is left in the working directory.
    QApplication::processEvents();
}

TEST_F(CommFormTest, ImportFailures)
{
    add_scope(2);
    engine(0).scope_channel(0).codes = std::vector<std::int8_t>(500, 3);
    open(2);
    QSignalSpy out(form.data(), SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)));
    QSignalSpy info(form.data(), SIGNAL(system_info_signal(int32)));
    connect_row(0);
    // Memory first: later imports keep their big buffer.
    {
        lib_alloc_fail_scope_t no_memory(0, 1 << 20);
        QTest::mouseClick(form->import_btn, Qt::LeftButton);
    }
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_EQ(info.count(), 1);

    engine(0).faults().no_reply = "WF?";
    QTest::mouseClick(form->import_btn, Qt::LeftButton);
    EXPECT_EQ(prompts.texts, QStringList{"Failed to import waveform.\nPlease check the connection of instrument."});
    engine(0).faults() = sim_faults_t();
    EXPECT_EQ(out.count(), 0);

    QTest::mouseClick(form->import_btn, Qt::LeftButton);
    EXPECT_EQ(out.count(), 1);
}
