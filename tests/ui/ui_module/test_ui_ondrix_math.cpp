// The math tools opened from the main window and their results in the documents.
#include "commands_fixture.h"

#include "create_test_util.h"
#include "lib_alloc.h"
#include "ui_dspinbx_frame.h"
#include "ui_coustom_comb.h"
#include "ui_equation_form_form.h"
#include "ui_filter_form_form.h"
#include "ui_window_form_form.h"
#include "ui_wvmath_form_form.h"

#include <QSignalSpy>
#include <QUndoStack>

#include <csignal>
#include <sys/resource.h>

namespace {

// What a document holds: samples, their scale and the waveform object's scale.
struct doc_state_t
{
    std::vector<short int> codes;
    float amp, offset, object_amp, object_offset;
    bool operator==(const doc_state_t &o) const
    {
        return codes == o.codes && amp == o.amp && offset == o.offset && object_amp == o.object_amp &&
               object_offset == o.object_offset;
    }
};

doc_state_t state_of(ui_waveform_t *doc)
{
    return {doc_samples(doc), doc->get_wave_data()->amp, doc->get_wave_data()->offset, *doc->wave_object->get_amp(),
            *doc->wave_object->get_offset()};
}

std::vector<short int> wave_codes(int n)
{
    std::vector<short int> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = static_cast<short int>((i * 2654) % 60000 - 30000);
    return v;
}

template <typename T> void press(T *form, QPushButton *b)
{
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void pick(ui_coustom_comb_t *comb, int index)
{
    comb->setCurrentIndex(index);
    emit comb->activated(index);
}

// One tool run on the current document: open it, make a result, press a button.
struct tool_case_t
{
    const char *name;
    std::function<void(ui_ondrix_t *)> open;
    std::function<void(ui_ondrix_t *)> make_result;   // with the dialog open
    std::function<void(ui_ondrix_t *, int btn)> press; // 3 OK, 2 Cancel, 8 frame
    int changes_scale; // 1 the result brings a new scale, 0 it keeps the document's, -1 either
};

std::vector<tool_case_t> tool_cases()
{
    return {
        {"waveform math", [](ui_ondrix_t *w) { QTest::mouseClick(w->controls.btn_math, Qt::LeftButton); },
         [](ui_ondrix_t *w) { open_dialog<ui_wvmath_form_t>(w)->get_form()->rdbtn_mul->click(); },
         [](ui_ondrix_t *w, int btn) {
             ui_wvmath_form_t *f = open_dialog<ui_wvmath_form_t>(w);
             if (btn == 8)
                 f->close();
             else
                 press(f, btn == 3 ? f->get_form()->btn_ok : f->get_form()->btn_cancel);
         },
         1},
        {"filter", [](ui_ondrix_t *w) { QTest::mouseClick(w->controls.btn_filter, Qt::LeftButton); },
         [](ui_ondrix_t *w) {
             ui_filter_form_t *f = open_dialog<ui_filter_form_t>(w);
             QTest::mouseClick(f->get_form()->btn_design_filter, Qt::LeftButton);
         },
         [](ui_ondrix_t *w, int btn) {
             ui_filter_form_t *f = open_dialog<ui_filter_form_t>(w);
             if (btn == 8)
                 f->close();
             else
                 press(f, btn == 3 ? f->get_form()->btn_ok : f->get_form()->btn_cancel);
         },
         -1},
        {"window functions", [](ui_ondrix_t *w) { QTest::mouseClick(w->controls.btn_window, Qt::LeftButton); },
         [](ui_ondrix_t *w) { pick(open_dialog<ui_window_form_t>(w)->get_window_comb(), 2); },
         [](ui_ondrix_t *w, int btn) {
             ui_window_form_t *f = open_dialog<ui_window_form_t>(w);
             if (btn == 8)
                 f->close();
             else
                 press(f, btn == 3 ? f->get_form()->btn_ok : f->get_form()->btn_cancel);
         },
         0},
    };
}

} // namespace

// OK gives one undo step; Undo brings the document back byte for byte with its scale,
// Redo the result again.
TEST_F(Commands, ToolResultsAreOneUndoStep)
{
    prompt_script_t prompts;
    for (const tool_case_t &c : tool_cases()) {
        SCOPED_TRACE(c.name);
        ui_waveform_t *doc = open_short_document();
        ASSERT_NE(doc, nullptr);
        set_doc_samples(doc, wave_codes(100));
        const doc_state_t before = state_of(doc);
        c.open(window.get());
        ASSERT_NE(doc->get_backup_data()->samples.size(), 0u) << "backed up by the opener";
        c.make_result(window.get());
        c.press(window.get(), 3);
        const doc_state_t after = state_of(doc);
        EXPECT_NE(after.codes, before.codes);
        if (c.changes_scale >= 0) {
            EXPECT_EQ(after.amp != before.amp || after.offset != before.offset, c.changes_scale == 1);
        }
        EXPECT_EQ(after.object_amp, after.amp);
        EXPECT_EQ(after.object_offset, after.offset);
        EXPECT_EQ(doc->get_undo_stack()->count(), 1);
        EXPECT_EQ(doc->get_backup_data()->samples.size(), 0u);
        EXPECT_FALSE(doc->is_saved());
        window->undo_action()->trigger();
        EXPECT_TRUE(state_of(doc) == before);
        window->redo_action()->trigger();
        EXPECT_TRUE(state_of(doc) == after);
        close_documents();
        window->close_all_sub_windows(nullptr);
    }
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
}

TEST_F(Commands, ToolCancelOrCloseLeavesTheDocument)
{
    prompt_script_t prompts;
    ui_waveform_t *doc = open_short_document();
    ASSERT_NE(doc, nullptr);
    set_doc_samples(doc, wave_codes(100));
    const doc_state_t before = state_of(doc);
    for (const tool_case_t &c : tool_cases())
        for (int btn : {2, 8}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(btn));
            c.open(window.get());
            c.make_result(window.get());
            c.press(window.get(), btn);
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(state_of(doc) == before);
            EXPECT_EQ(doc->get_undo_stack()->count(), 0);
            EXPECT_EQ(doc->get_backup_data()->samples.size(), 0u);
        }
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
}

// OK before any design (filter) or with the division that no longer applies (math)
// changes nothing.
TEST_F(Commands, ToolWithoutAResultChangesNothing)
{
    prompt_script_t prompts;
    ui_waveform_t *doc = open_short_document();
    ASSERT_NE(doc, nullptr);
    set_doc_samples(doc, wave_codes(100));
    const doc_state_t before = state_of(doc);
    window->open_filter_form();
    press(open_dialog<ui_filter_form_t>(window.get()), open_dialog<ui_filter_form_t>(window.get())->get_form()->btn_ok);
    EXPECT_TRUE(state_of(doc) == before);
    EXPECT_EQ(doc->get_undo_stack()->count(), 0);
    EXPECT_EQ(doc->get_backup_data()->samples.size(), 0u);
    EXPECT_TRUE(window->findChildren<ui_filter_form_t *>().isEmpty());
    EXPECT_TRUE(prompts.texts.isEmpty());
}

// A filter whose source is not the current document: that document becomes current and
// takes the result as one undo step of its own; the other one is left alone.
TEST_F(Commands, FilterIntoAnotherDocument)
{
    prompt_script_t prompts;
    ui_waveform_t *first = open_short_document();
    ASSERT_NE(first, nullptr);
    set_doc_samples(first, wave_codes(100));
    const doc_state_t first_before = state_of(first);
    ui_waveform_t *second = open_short_document();
    ASSERT_NE(second, nullptr);
    set_doc_samples(second, std::vector<short int>(100, 7));
    const doc_state_t second_before = state_of(second);
    ASSERT_EQ(window->current_wave(), second);

    window->open_filter_form();
    ui_filter_form_t *f = open_dialog<ui_filter_form_t>(window.get());
    ASSERT_NE(f, nullptr);
    pick(f->get_src_comb(), 0);
    QTest::mouseClick(f->get_form()->btn_design_filter, Qt::LeftButton);
    ASSERT_GT(f->get_result_wv_data()->samples.size(), 0u);
    press(f, f->get_form()->btn_ok);

    EXPECT_EQ(window->current_wave(), first);
    EXPECT_NE(state_of(first).codes, first_before.codes);
    EXPECT_EQ(first->get_undo_stack()->count(), 1);
    EXPECT_TRUE(state_of(second) == second_before);
    EXPECT_EQ(second->get_undo_stack()->count(), 0);
    EXPECT_EQ(first->get_backup_data()->samples.size(), 0u);
    EXPECT_EQ(second->get_backup_data()->samples.size(), 0u);
    window->undo_action()->trigger();
    EXPECT_TRUE(state_of(first) == first_before);
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
}

// The openers stop on a declined cover question, a backup that cannot be made and a
// dialog that could not be built; nothing is left backed up.
TEST_F(Commands, ToolOpenersGuards)
{
    prompt_script_t prompts;
    ui_waveform_t *doc = open_short_document();
    ASSERT_NE(doc, nullptr);
    auto no_dialog = [this] {
        return window->findChildren<ui_wvmath_form_t *>().isEmpty() &&
               window->findChildren<ui_filter_form_t *>().isEmpty() &&
               window->findChildren<ui_window_form_t *>().isEmpty() &&
               window->findChildren<ui_equation_form_t *>().isEmpty();
    };
    const std::function<void()> openers[] = {[this] { window->open_wvmath_form(); },
                                             [this] { window->open_filter_form(); },
                                             [this] { window->open_window_form(); },
                                             [this] { window->open_equation_form(); }};
    for (const auto &open : openers) {
        three_points(doc);
        prompts.texts.clear();
        prompts.answers = {QMessageBox::No};
        open();
        EXPECT_TRUE(no_dialog());
        ASSERT_EQ(prompts.texts.size(), 1);
        EXPECT_EQ(prompts.texts[0], "This edit operation will cover the current points. Continue?");
        EXPECT_EQ(doc->get_backup_data()->samples.size(), 0u);
    }
    doc->drawing->clear_points();

    // A full disk: the backup cannot be made.
    for (int i = 0; i < 3; ++i) {
        prompts.texts.clear();
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old, small;
        getrlimit(RLIMIT_FSIZE, &old);
        small = old;
        small.rlim_cur = 50;
        setrlimit(RLIMIT_FSIZE, &small);
        openers[i]();
        setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_TRUE(no_dialog());
        ASSERT_EQ(prompts.texts.size(), 1);
        EXPECT_EQ(prompts.texts[0], "The system has run out of memory.\nPlease reduce number of points or files, and try again.");
    }

    // Out of memory while building: the dialog is deleted unshown.
    for (int i : {0, 2}) {
        prompts.texts.clear();
        {
            lib_alloc_fail_scope_t fail(0, 1);
            openers[i]();
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(no_dialog()) << i;
        ASSERT_EQ(prompts.texts.size(), 1);
        EXPECT_EQ(prompts.texts[0], "The system has run out of memory.\nPlease reduce number of points or files, and try again.");
        EXPECT_EQ(doc->get_backup_data()->samples.size(), 0u);
    }
}

TEST_F(Commands, EquationResultIntoTheCurrentOrANewDocument)
{
    prompt_script_t prompts;
    // No document: a new one.
    QTest::mouseClick(window->commands.btn_equation, Qt::LeftButton);
    ui_equation_form_t *f = open_dialog<ui_equation_form_t>(window.get());
    ASSERT_NE(f, nullptr);
    f->get_form()->ptedit_cmd->setPlainText("range(1,8000)\n1\nrange(8001,16384)\n-1");
    QTest::mouseClick(f->get_form()->btn_compile, Qt::LeftButton);
    press(f, f->get_form()->btn_ok);
    ASSERT_EQ(documents(), 1);
    ui_waveform_t *doc = window->current_wave();
    EXPECT_EQ(doc->get_wv_len(), 16384u);
    EXPECT_EQ(doc->wave_object->get_wv_type(), LIB_WV_NONE);
    EXPECT_FLOAT_EQ(*doc->wave_object->get_amp(), 2.0f);
    EXPECT_FLOAT_EQ(*doc->wave_object->get_offset(), 0.0f);
    EXPECT_FLOAT_EQ(doc->get_wave_data()->amp, 2.0f);
    EXPECT_EQ(doc_samples(doc)[0], 32767);
    EXPECT_EQ(doc_samples(doc)[16383], -32767);
    EXPECT_EQ(doc->get_undo_stack()->count(), 0);

    // Into the current document, which keeps no undo steps from before.
    doc->select_all();
    doc->invert_waveform();
    ASSERT_EQ(doc->get_undo_stack()->count(), 1);
    window->commands.wave_equation->trigger();
    f = open_dialog<ui_equation_form_t>(window.get());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->get_samples(), 16384u);
    create_test::type_base(f->get_samples_frame(), "500");
    create_test::type_base(f->get_freq_frame(), "2000");
    f->get_form()->ptedit_cmd->setPlainText("3");
    QTest::mouseClick(f->get_form()->btn_compile, Qt::LeftButton);
    press(f, f->get_form()->btn_ok);
    EXPECT_EQ(documents(), 1);
    EXPECT_EQ(doc->get_wv_len(), 500u);
    EXPECT_EQ(*doc->wave_object->get_wv_len(), 500u);
    EXPECT_DOUBLE_EQ(*doc->wave_object->get_freq(), 2000.0);
    EXPECT_FLOAT_EQ(*doc->wave_object->get_offset(), 3.0f) << "a constant keeps its value";
    EXPECT_EQ(doc_samples(doc), std::vector<short int>(500, 0));
    EXPECT_EQ(doc->get_undo_stack()->count(), 0);
    EXPECT_FALSE(doc->is_saved());

    // Parameter lines alone: nothing to put in.
    const std::vector<short int> kept = doc_samples(doc);
    window->open_equation_form();
    f = open_dialog<ui_equation_form_t>(window.get());
    ASSERT_NE(f, nullptr);
    f->get_form()->ptedit_cmd->setPlainText("k0=2");
    QTest::mouseClick(f->get_form()->btn_compile, Qt::LeftButton);
    ASSERT_TRUE(f->get_form()->btn_ok->isEnabled());
    press(f, f->get_form()->btn_ok);
    EXPECT_TRUE(window->findChildren<ui_equation_form_t *>().isEmpty());
    EXPECT_EQ(doc_samples(doc), kept);
    EXPECT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
}

TEST_F(Commands, ToolDialogsConnectEverythingByName)
{
    QStringList bad;
    static QStringList *sink;
    sink = &bad;
    QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) {
        if (m.contains("QObject::connect"))
            sink->append(m);
    });
    prompt_script_t prompts;
    ASSERT_NE(open_short_document(), nullptr);
    window->open_wvmath_form();
    window->open_filter_form();
    window->open_window_form();
    window->open_equation_form();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(bad.isEmpty()) << bad.join("\n").toStdString();
    EXPECT_EQ(window->findChildren<ui_wvmath_form_t *>().size(), 1);
    EXPECT_EQ(window->findChildren<ui_filter_form_t *>().size(), 1);
    EXPECT_EQ(window->findChildren<ui_window_form_t *>().size(), 1);
    EXPECT_EQ(window->findChildren<ui_equation_form_t *>().size(), 1);
}
