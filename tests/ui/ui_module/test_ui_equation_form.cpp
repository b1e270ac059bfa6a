#include "ui_equation_form.h"

#include "cfg_if_bswv_dc.h"
#include "cfg_instr_limit.h"
#include "create_test_util.h"
#include "prompt_script.h"
#include "tool_docs.h"
#include "ui_coustom_comb.h"
#include "ui_dialog_provider.h"
#include "ui_dspinbx_frame.h"
#include "ui_equation_form_form.h"
#include "ui_language_resources.h"
#include "ui_meta_types.h"
#include "ui_preview_plot.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using create_test::type_base;

namespace {

struct equation_dialog_t
{
    QPointer<ui_equation_form_t> dlg;

    explicit equation_dialog_t(uint32 points = 1000, instr_zqw_t model = instr_zqw_t(2), double freq = 1000.0,
                               bool has_current = true)
    {
        ui_register_meta_types();
        cfg_if_bswv_dc_t wave;
        wave.set_wv_len(points);
        wave.set_instr_type(model);
        wave.set_freq(freq);
        dlg = new ui_equation_form_t(nullptr, &wave, has_current);
    }
    ~equation_dialog_t() { delete dlg.data(); }
    ui_equation_form_t *operator->() { return dlg.data(); }
    QString text() const { return dlg->get_form()->ptedit_cmd->toPlainText(); }
    void set_text(const QString &t) { dlg->get_form()->ptedit_cmd->setPlainText(t); }
    void key(const char *caption) { QTest::mouseClick(dlg->get_key(caption), Qt::LeftButton); }
    void compile() { QTest::mouseClick(dlg->get_form()->btn_compile, Qt::LeftButton); }
    QString status() const { return dlg->get_form()->ptedit_status->toPlainText(); }
    bool ok_enabled() const { return dlg->get_form()->btn_ok->isEnabled(); }
};

// File dialogs that answer with a fixed path, counting what they were asked.
struct file_answers_t
{
    QString path;
    QStringList asked;
    file_answers_t()
    {
        ui_dialog_provider_t p;
        p.get_open_file_name = [this](QWidget *, const QString &title, const QString &, const QString &filter) {
            asked << title + " " + filter;
            return path;
        };
        p.get_save_file_name = p.get_open_file_name;
        ui_set_dialog_provider(p);
    }
    ~file_answers_t() { ui_reset_dialog_provider(); }
};

QByteArray file_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write_bytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(UiEquationForm, OpensFromTheWaveAndTheModel)
{
    {
        equation_dialog_t d(5000, instr_zqw_t(2), 2500.0);
        EXPECT_EQ(d->init_status, 0);
        EXPECT_EQ(d->get_samples(), 5000u);
        EXPECT_FLOAT_EQ(d->get_frequency(), 2500.0f);
        EXPECT_EQ(d->get_param_wv()->get_instr_type(), instr_zqw_t(2));
        EXPECT_EQ(d->get_model_form()->get_instr_type(), instr_zqw_t(2));
        EXPECT_EQ(d.text(), "#Input equations here\n");
        EXPECT_FALSE(d.ok_enabled());
        EXPECT_EQ(d->get_form()->ptedit_status->contextMenuPolicy(), Qt::NoContextMenu);
        EXPECT_EQ(d->get_x_range(), std::make_pair(0.0, 4999.0));
        EXPECT_EQ(d->get_result_wv_data()->samples.size(), 0u);
        EXPECT_EQ(d->windowTitle(), "Equation Editor");
        EXPECT_EQ(d->size(), QSize(1035, 489));
    }
    {
        // More points than the model's editor offers: its maximum.
        const uint32 max = *instr_get_editor_max_wv_len(instr_zqw_t(0));
        equation_dialog_t d(max + 1000, instr_zqw_t(0));
        EXPECT_EQ(d->get_samples(), max);
    }
    {
        // Without a document the model frame's model counts; points and frequency still
        // come from the wave.
        equation_dialog_t d(3000, instr_zqw_t(7), 500.0, false);
        const instr_zqw_t frame_model = d->get_model_form()->get_instr_type();
        EXPECT_EQ(d->get_param_wv()->get_instr_type(), frame_model);
        EXPECT_NE(frame_model, instr_zqw_t(7));
        EXPECT_FLOAT_EQ(d->get_frequency(), 500.0f);
    }
}

TEST(UiEquationForm, KeypadEditsTheText)
{
    equation_dialog_t d;
    d->show();
    d.set_text("");
    const struct
    {
        std::vector<const char *> keys;
        const char *text;
    } cases[] = {
        {{"sin()", "2", "x"}, "sin()2x"},
        {{"k(0-9)", "=", "pi", "^", "2"}, "k(0-9)=pi^2"},
        {{"range()", "enter", "1", ",", "0"}, "range()\n1,0"},
        {{"7", "delete", "8"}, "8"},
        {{"delete", "delete"}, ""},
        {{"fabs()", "clr", "tanh()"}, "tanh()"},
    };
    for (const auto &c : cases) {
        d.set_text("");
        for (const char *k : c.keys)
            d.key(k);
        EXPECT_EQ(d.text(), c.text);
    }
    // The cursor stays after what was inserted; a selection is replaced.
    d.set_text("abc");
    QTextCursor cur = d->get_form()->ptedit_cmd->textCursor();
    cur.setPosition(1);
    cur.setPosition(2, QTextCursor::KeepAnchor);
    d->get_form()->ptedit_cmd->setTextCursor(cur);
    d.key("cos()");
    d.key("1");
    EXPECT_EQ(d.text(), "acos()1c");
    cur = d->get_form()->ptedit_cmd->textCursor();
    cur.setPosition(2);
    cur.setPosition(5, QTextCursor::KeepAnchor);
    d->get_form()->ptedit_cmd->setTextCursor(cur);
    d.key("delete");
    EXPECT_EQ(d.text(), "ac)1c");
    EXPECT_EQ(d->get_form()->ptedit_cmd->toPlainText().size(), 5);
}

// Each model bounds Samples and Frequency by its own limits; the models with one fixed
// point count lock Samples.
TEST(UiEquationForm, ModelLimitsBoundSamplesAndFrequency)
{
    equation_dialog_t d(1000, instr_zqw_t(2), 1000.0);
    for (int m : {0, 2, 6, 7, 9, 3}) {
        SCOPED_TRACE(m);
        const instr_zqw_t model = instr_zqw_t(m);
        d->instr_comb_slot_func(model, lib_ch_t(0));
        ui_dspinbx_frame_t *samples = d->get_samples_frame();
        ui_dspinbx_frame_t *freq = d->get_freq_frame();
        const uint32 max = *instr_get_editor_max_wv_len(model);
        EXPECT_EQ(samples->get_min_value(), double(*instr_get_min_wv_len(model, lib_ch_t(0))));
        EXPECT_EQ(samples->get_max_value(), double(max));
        EXPECT_EQ(freq->get_min_value(), double(*instr_get_min_freq(model)));
        EXPECT_EQ(samples->isEnabled(), m <= 6);
        EXPECT_EQ(d->get_form()->label_value_max_points->text(), QString::number(max));
        EXPECT_EQ(d->get_form()->label_value_min_points->text(),
                  QString::number(*instr_get_min_wv_len(model, lib_ch_t(0))));
        if (m <= 6) {
            type_base(samples, QString::number(double(max) * 2, 'f', 0));
            EXPECT_EQ(d->get_samples(), max) << "clamped to the model's maximum";
            EXPECT_EQ(*d->get_param_wv()->get_wv_len(), max);
            type_base(samples, "1000");
        }
        type_base(freq, "9000000000000");
        EXPECT_FLOAT_EQ(d->get_frequency(), static_cast<float>(freq->get_max_value()));
        type_base(freq, "1000");
    }
}

// Model 6 takes 16384 or 524288 points only: a count between them snaps toward the side
// it moved to from the stored count; other models take the count as it is.
TEST(UiEquationForm, SnappedSamplesFollowTheModel)
{
    equation_dialog_t d(16384, instr_zqw_t(6));
    ASSERT_EQ(*d->get_param_wv()->get_wv_len(), 16384u);
    const struct
    {
        int model;
        uint32 points, stored;
    } cases[] = {
        {6, 100, 16384},     {6, 600000, 524288}, {6, 20000, 16384}, {6, 20000, 524288},
        {6, 524288, 524288}, {6, 16384, 16384},   {2, 20000, 20000}, {2, 5000, 5000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " " << c.points);
        if (d->get_param_wv()->get_instr_type() != instr_zqw_t(c.model))
            d->instr_comb_slot_func(instr_zqw_t(c.model), lib_ch_t(0));
        d->set_samples_snapped(c.points);
        EXPECT_EQ(*d->get_param_wv()->get_wv_len(), c.stored);
        EXPECT_EQ(d->get_samples(), c.stored);
    }
    // The frame reports to the dialog again afterwards.
    type_base(d->get_samples_frame(), "3000");
    EXPECT_EQ(*d->get_param_wv()->get_wv_len(), 3000u);
}

TEST(UiEquationForm, KeywordsAreKnownOnlyOnceListed)
{
    equation_dialog_t d;
    EXPECT_EQ(d->is_keyword("sin"), 0) << "empty in normal operation";
    d->init_keyword_list();
    d->init_keyword_list();
    const struct
    {
        const char *text;
        int32 known;
    } cases[] = {{"sin", 1}, {"lob", 1}, {"rand", 1}, {"range", 1}, {"log", 0},
                 {"SIN", 0}, {"sin(", 0}, {"", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(d->is_keyword(c.text), c.known) << c.text;
}

// The result record and the x range can be set from outside; a record handed in
// member-wise shares its file with the result, takes later compiles and outlives the dialog.
TEST(UiEquationForm, ResultRecordAndXRangeFromOutside)
{
    equation_dialog_t d(6);
    EXPECT_EQ(d->get_samples_int(), 6);
    EXPECT_EQ(d->is_ready(), 1);
    EXPECT_EQ(d->set_x_range(2, 4), 0);
    EXPECT_EQ(d->get_x_range(), std::make_pair(2.0, 4.0));
    d.set_text("x");
    d.compile();
    EXPECT_EQ(d->get_x_range(), std::make_pair(0.0, 5.0)) << "a compile sets its own range";
    const std::vector<short int> ramp = codes_of(d->get_result_wv_data());
    ASSERT_EQ(ramp.size(), 6u);
    ASSERT_NE(ramp[1], 0);

    const struct
    {
        uint32 count;
        std::vector<short int> codes;
    } sizes[] = {{3, {ramp[0], ramp[1], ramp[2]}},
                 {5, {ramp[0], ramp[1], ramp[2], 0, 0}},
                 {5, {ramp[0], ramp[1], ramp[2], 0, 0}},
                 {0, {}}};
    for (const auto &c : sizes) {
        EXPECT_EQ(d->resize_result_wv_data(c.count), 0);
        EXPECT_EQ(codes_of(d->get_result_wv_data()), c.codes) << c.count;
    }

    lib_wv_data_t<short int> outside;
    const std::vector<short int> three{1, 2, 3};
    outside.samples.write(0, three.data(), 3);
    outside.amp = 3.0f;
    outside.offset = 0.5f;
    outside.freq = 50.0;
    d->set_result_wv_data(outside);
    lib_wv_data_t<short int> *result = d->get_result_wv_data();
    EXPECT_EQ(d->get_result_data(), result);
    EXPECT_EQ(result->samples.get_path(), outside.samples.get_path());
    EXPECT_EQ(codes_of(result), three);
    EXPECT_EQ(result->amp, 3.0f);
    EXPECT_EQ(result->offset, 0.5f);
    EXPECT_EQ(result->freq, 50.0);
    d.compile();
    EXPECT_EQ(codes_of(&outside), ramp) << "the compile landed in the shared file";
    delete d.dlg.data();
    EXPECT_EQ(codes_of(&outside), ramp) << "the dialog leaves the shared file to its owner";
}

TEST(UiEquationForm, CompileStatusesShowTheirMessageAndColour)
{
    const QString red = "color: rgb(255, 102, 102);", green = "color: rgb(0, 255, 0);";
    const struct
    {
        const char *text;
        const char *status;
        bool ok;
    } cases[] = {
        {"#one period\nsin(2*pi*x)", "Compile Successfully.", true},
        {"#nothing\n\n", "No valid equations.", false},
        {"x\n2*-x", "System Error.    error index: 30\nError in line: 2", false},
        {"y=k1=3", "Character Error.    error index: 31\nError in line: 1", false},
        {"2*sin", "Function Error.    error index: 32\nError in line: 1", false},
        {"x\nk1=2\n#c\nrange(1,5)\nsqrt(0-1)", "Function Error in parameter.   error index: 33\nError in line: 5", false},
        {"x\nrange(1,1001)",
         "The parameter is out of range. The argument has to be: \nx2 > x1 >= 1 and x2 <= Samples \nerror index: 36\n"
         "Error in line: 2",
         false},
        {" #not a comment", "Error occurred. error index: 37\nError in line: 1", false},
    };
    equation_dialog_t d;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        d.set_text(c.text);
        d.compile();
        EXPECT_EQ(d.status(), c.status);
        EXPECT_EQ(d->get_form()->ptedit_status->styleSheet(), c.ok ? green : red);
        EXPECT_EQ(d.ok_enabled(), c.ok);
    }
}

// The English catalogue shows some texts without their doubled blanks.
TEST(UiEquationForm, EnglishCatalogueTexts)
{
    ui_init_language_resources();
    ASSERT_TRUE(ui_install_language(false));
    equation_dialog_t d;
    d->show_compile_result(30, 5);
    EXPECT_EQ(d.status(), "System Error. error index: 30\nError in line:5");
    d->show_compile_result(33, 2);
    EXPECT_EQ(d.status(), "Function Error in parameter. error index: 33\nError in line:2");
    d->show_compile_result(38, 1);
    EXPECT_EQ(d.status(), "Compile Successfully.");
}

// A successful compile fills the result and the preview and offers OK; a failing one
// withdraws OK and keeps the last result.
TEST(UiEquationForm, CompileResultAndPreview)
{
    equation_dialog_t d(1000);
    d.set_text("range(1,500)\n1\nrange(501,1000)\n0");
    d.compile();
    ASSERT_TRUE(d.ok_enabled());
    std::vector<short int> expected(1000, -32767);
    std::fill(expected.begin(), expected.begin() + 500, 32767);
    EXPECT_EQ(codes_of(d->get_result_wv_data()), expected);
    EXPECT_EQ(d->get_value_range(), std::make_pair(0.0, 1.0));
    EXPECT_EQ(d->get_preview_plot()->get_yleft_interval(), std::make_pair(0.0, 1.0));

    // A new Samples value changes nothing until the next compile.
    type_base(d->get_samples_frame(), "400");
    EXPECT_EQ(codes_of(d->get_result_wv_data()), expected);
    d.set_text("sqrt(0-1)");
    d.compile();
    EXPECT_FALSE(d.ok_enabled());
    EXPECT_EQ(codes_of(d->get_result_wv_data()), expected);

    // A constant is previewed half its value either side.
    d.set_text("2");
    d.compile();
    ASSERT_TRUE(d.ok_enabled());
    EXPECT_EQ(d->get_result_wv_data()->samples.size(), 400u);
    EXPECT_EQ(d->get_preview_plot()->get_yleft_interval(), std::make_pair(1.0, 3.0));
}

TEST(UiEquationForm, EquationFilesSaveAndOpenByteForByte)
{
    prompt_script_t prompts;
    file_answers_t files;
    equation_dialog_t d;
    const QString path = QDir::currentPath() + "/wave \xc3\xa9.equa";
    const QString text = QString::fromUtf8("# \xce\xb1 wave\nk0=2\nsin(2*pi*x)*k0");
    d.set_text(text);
    files.path = path;
    QTest::mouseClick(d->get_form()->btn_save, Qt::LeftButton);
    EXPECT_EQ(files.asked, QStringList{"Save As equa(*.equa)"});
    EXPECT_EQ(file_bytes(path), text.toUtf8()) << "UTF-8, no mark, no line break added";

    d.set_text("");
    QTest::mouseClick(d->get_form()->btn_open, Qt::LeftButton);
    EXPECT_EQ(files.asked.last(), "Open equa(*.equa)");
    EXPECT_EQ(d.text(), text);

    const struct
    {
        const char *name;
        QByteArray bytes;
        QString shown;
    } cases[] = {
        {"a NUL byte ends the text", QByteArray("x\n1", 3) + QByteArray(1, '\0') + "junk", "x\n1"},
        {"invalid UTF-8 shows replacement characters", QByteArray("x\xff\n"), QString("x") + QChar(0xFFFD) + "\n"},
        {"an empty file", QByteArray(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(path, c.bytes);
        d.set_text("before");
        QTest::mouseClick(d->get_form()->btn_open, Qt::LeftButton);
        EXPECT_EQ(d.text(), c.shown);
    }
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
    QTest::mouseClick(d->get_form()->btn_open, Qt::LeftButton);
    files.path.clear(); // cancelled
    d.set_text("kept");
    QTest::mouseClick(d->get_form()->btn_open, Qt::LeftButton);
    QTest::mouseClick(d->get_form()->btn_save, Qt::LeftButton);
    EXPECT_EQ(d.text(), "kept");
}

TEST(UiEquationForm, FileFailuresKeepTextAndFile)
{
    prompt_script_t prompts;
    file_answers_t files;
    equation_dialog_t d;
    files.path = QDir::currentPath() + "/missing.equa";
    d.set_text("x");
    QTest::mouseClick(d->get_form()->btn_open, Qt::LeftButton);
    EXPECT_EQ(d.text(), "x") << "the editor keeps its text";
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "The file could not be read.");

    files.path = QDir::currentPath() + "/old.equa";
    write_bytes(files.path, "k0=1\nx*k0");
    d.set_text(QString(5000, 'x'));
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old, small;
        getrlimit(RLIMIT_FSIZE, &old);
        small = old;
        small.rlim_cur = 1000; // a full disk
        setrlimit(RLIMIT_FSIZE, &small);
        QTest::mouseClick(d->get_form()->btn_save, Qt::LeftButton);
        setrlimit(RLIMIT_FSIZE, &old);
    }
    ASSERT_EQ(prompts.texts.size(), 2);
    EXPECT_EQ(prompts.texts[1], "The file could not be saved.");
    EXPECT_EQ(file_bytes(files.path), QByteArray("k0=1\nx*k0"));
    EXPECT_EQ(QDir::current().entryList({"old.equa*"}, QDir::Files | QDir::Hidden), QStringList{"old.equa"});
}

TEST(UiEquationForm, ButtonsSendTheirCodesAndTheFrameNothing)
{
    equation_dialog_t d;
    d->show();
    QSignalSpy spy(d.dlg, SIGNAL(equation_form_btn_signal(ui_equation_form_t *, int32)));
    d.set_text("x");
    d.compile();
    QTest::mouseClick(d->get_form()->btn_ok, Qt::LeftButton);
    QTest::mouseClick(d->get_form()->btn_cancle, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 2);
    d->close();
    EXPECT_EQ(spy.count(), 2);
}

TEST(UiDialogLook, EquationEditorShowsEveryControlWhole)
{
    for (bool chinese : {false, true}) {
        language_scope_t language(chinese);
        equation_dialog_t d(20971520, instr_zqw_t(2));
        d.set_text("x\nrange(0,5)"); // the longest message
        d.compile();
        EXPECT_EQ(look_faults(d.dlg, language.name("equation_form")).toStdString(), "") << chinese;
    }
}
