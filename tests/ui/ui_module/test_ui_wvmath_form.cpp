#include "ui_wvmath_form.h"

#include "create_test_util.h"
#include "lib_alloc.h"
#include "prompt_script.h"
#include "tool_docs.h"
#include "ui_coustom_comb.h"
#include "ui_dspinbx_frame.h"
#include "ui_meta_types.h"
#include "ui_preview_plot.h"
#include "ui_qwt_plot_curve.h"
#include "ui_stdwvform.h"
#include "ui_stdwvform_form.h"
#include "ui_wvmath_form_form.h"

#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <qwt_plot_zoneitem.h>

#include <cmath>
#include <functional>

using create_test::type_base;

namespace {

using record_t = lib_wv_data_t<short int>;

void fill(record_t &r, const std::vector<short int> &codes, float amp, float offset)
{
    r.samples.truncate(0);
    r.samples.write(0, codes.data(), static_cast<uint32>(codes.size()));
    r.amp = amp;
    r.offset = offset;
}

std::vector<double> volts_of(const record_t *r)
{
    std::vector<double> v;
    for (short int c : codes_of(r))
        v.push_back(r->offset + c * r->amp * 0.5 / 32767.0);
    return v;
}

struct math_dialog_t
{
    record_t doc, clip;
    range_data_t sel{0.0, 0.0};
    QPointer<ui_wvmath_form_t> dlg;

    void open()
    {
        ui_register_meta_types();
        dlg = new ui_wvmath_form_t(nullptr, &doc, &clip, sel, 16384, instr_zqw_t(2), 1000.0);
    }
    ~math_dialog_t() { delete dlg.data(); }
    ui_wvmath_form_t *operator->() { return dlg.data(); }
    QRadioButton *op(int i) const
    {
        Ui_ui_wvmath_form_t *f = dlg->get_form();
        QRadioButton *ops[4] = {f->rdbtn_add, f->rdbtn_sub, f->rdbtn_mul, f->rdbtn_div};
        return ops[i];
    }
    QRadioButton *kind(int i) const
    {
        QRadioButton *kinds[3] = {dlg->get_library_radio(), dlg->get_value_radio(), dlg->get_clipboard_radio()};
        return kinds[i];
    }
    bool ok_enabled() const { return dlg->get_form()->btn_ok->isEnabled(); }
};

double combine(int op, double a, double b)
{
    switch (op) {
    case 0:
        return a + b;
    case 1:
        return a - b;
    case 2:
        return a * b;
    default:
        return double(float(a)) / double(float(b));
    }
}

// The result in volts against the operation on the document and the source, within the
// result's own code step.
void expect_result(ui_wvmath_form_t *dlg, const record_t &doc, int op)
{
    const std::vector<double> a = volts_of(&doc), b = volts_of(dlg->get_source_wv_data());
    const std::vector<double> r = volts_of(dlg->get_result_wv_data());
    ASSERT_EQ(r.size(), a.size());
    ASSERT_EQ(b.size(), a.size());
    const double step = dlg->get_result_wv_data()->amp / 65534.0 * 1.01 + 1e-6;
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(r[i], combine(op, a[i], b[i]), step + 1e-5 * std::fabs(r[i])) << i;
}

const std::vector<short int> k_doc_codes = {-32767, -16000, 0, 1000, 20000, 32767};

} // namespace

TEST(UiWvmathForm, OpensWithTheDocumentPlusASine)
{
    math_dialog_t d;
    fill(d.doc, std::vector<short int>(16384, 0), 2.0f, 0.5f);
    d.open();
    EXPECT_EQ(d->init_status, 0);
    EXPECT_EQ(d->get_source_kind(), 0);
    EXPECT_EQ(d->get_operation(), 0);
    EXPECT_TRUE(d->get_library_radio()->isChecked());
    EXPECT_TRUE(d->get_form()->rdbtn_add->isChecked());
    EXPECT_TRUE(d->get_library_comb()->isEnabled());
    EXPECT_FALSE(d->get_value_frame()->isEnabled());
    EXPECT_FALSE(d->get_clipboard_radio()->isEnabled()) << "an empty copy buffer";
    EXPECT_FALSE(d->get_form()->rdbtn_div->isEnabled()) << "the sine crosses 0 V";
    EXPECT_TRUE(d.ok_enabled());
    EXPECT_EQ(d->get_library_comb()->count(), 11);
    EXPECT_EQ(d->get_library_comb()->itemText(10), "Exponential Fall");

    const record_t *src = d->get_source_wv_data();
    ASSERT_EQ(src->samples.size(), 16384u);
    EXPECT_FLOAT_EQ(src->amp, 2.0f);
    EXPECT_FLOAT_EQ(src->offset, 0.0f);
    const std::vector<short int> s = codes_of(src);
    EXPECT_EQ(*std::max_element(s.begin(), s.end()), 32767);
    EXPECT_EQ(*std::min_element(s.begin(), s.end()), -32767);
    expect_result(d.dlg, d.doc, 0);
    EXPECT_EQ(codes_of(&d.doc), std::vector<short int>(16384, 0)) << "the document is only read";
    EXPECT_EQ(d->windowTitle(), "Waveform Math");
    EXPECT_EQ(d->size(), QSize(845, 555));
}

// Every source kind with every operation it allows, on a small document.
TEST(UiWvmathForm, EachSourceKindWithEachOperation)
{
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    fill(d.clip, {-16000, 0, 1000}, 4.0f, 1.0f);
    d.sel = {1.0, 3.0};
    d.open();

    const std::vector<double> doc_v = volts_of(&d.doc);
    const struct
    {
        int kind;
        bool division;
        std::function<void(const std::vector<double> &)> source_check;
    } kinds[] = {
        {0, false,
         [](const std::vector<double> &v) {
             EXPECT_NEAR(v[0], 0.0, 1e-4) << "the sine starts at 0 V";
         }},
        {1, true,
         [](const std::vector<double> &v) {
             for (double x : v)
                 EXPECT_NEAR(x, 1.5, 1e-6);
         }},
        {2, false,
         [&](const std::vector<double> &v) {
             EXPECT_NEAR(v[0], 0.0, 1e-4);
             EXPECT_NEAR(v[1], doc_v[1], 1e-5);
             EXPECT_NEAR(v[2], doc_v[2], 1e-5);
             EXPECT_NEAR(v[3], doc_v[3], 1e-5);
             EXPECT_NEAR(v[4], 0.0, 1e-4);
             EXPECT_NEAR(v[5], 0.0, 1e-4);
         }},
    };
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.kind);
        d.kind(k.kind)->click();
        if (k.kind == 1)
            type_base(d->get_value_frame(), "1.5");
        ASSERT_EQ(d->get_source_kind(), k.kind);
        k.source_check(volts_of(d->get_source_wv_data()));
        EXPECT_EQ(d->get_form()->rdbtn_div->isEnabled(), k.division);
        for (int op = 0; op < 4; ++op) {
            SCOPED_TRACE(op);
            if (op == 3 && !k.division)
                continue;
            d.op(op)->click();
            ASSERT_EQ(d->get_operation(), op);
            ASSERT_TRUE(d.ok_enabled());
            expect_result(d.dlg, d.doc, op);
        }
        d.op(0)->click();
    }
}

// The copy buffer lies where it was copied, 0 V around it, marked on all three plots.
TEST(UiWvmathForm, ClipboardSourceIsPlacedAtTheSelection)
{
    math_dialog_t d;
    std::vector<short int> codes(1000);
    for (int i = 0; i < 1000; ++i)
        codes[i] = static_cast<short int>(i * 37 - 18000);
    fill(d.doc, codes, 2.0f, 0.0f);
    fill(d.clip, std::vector<short int>(codes.begin() + 100, codes.begin() + 200), 2.0f, 0.0f);
    d.sel = {100.0, 199.0};
    d.open();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(d->get_zone(i)->isVisible());
    d.kind(2)->click();
    const record_t *src = d->get_source_wv_data();
    EXPECT_EQ(src->amp, 2.0f);
    EXPECT_EQ(src->offset, 0.0f);
    std::vector<short int> expected(1000, 0);
    std::copy(codes.begin() + 100, codes.begin() + 200, expected.begin() + 100);
    EXPECT_EQ(codes_of(src), expected);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(d->get_zone(i)->isVisible()) << i;
        EXPECT_EQ(d->get_zone(i)->interval(), QwtInterval(100.0, 199.0)) << i;
    }
    d.kind(0)->click();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(d->get_zone(i)->isVisible());

    // The source plot shows each source again when it is chosen again.
    const std::vector<short int> sine = codes_of(d->get_source_wv_data());
    const struct
    {
        int kind;
        std::vector<short int> shown;
    } shows[] = {{2, expected}, {1, std::vector<short int>(1000, 0)}, {0, sine}, {2, expected}};
    for (const auto &c : shows) {
        d.kind(c.kind)->click();
        const QwtSeriesData<QPointF> *data = d->get_plot(1)->get_curve(0)->data();
        ASSERT_EQ(data->size(), 1000u) << c.kind;
        std::vector<short int> ys;
        for (size_t i = 0; i < data->size(); ++i)
            ys.push_back(static_cast<short int>(data->sample(i).y()));
        EXPECT_EQ(ys, c.shown) << c.kind;
    }
}

// A copy buffer whose range holds 0 V keeps its scale; a constant or one-signed one goes
// over in volts into a scale that takes in 0 V, padded with the code of 0 V.
TEST(UiWvmathForm, CopyBuffersOfEveryScaleKeepTheirVolts)
{
    const struct
    {
        const char *name;
        std::vector<short int> codes;
        float amp, offset;
        float src_amp, src_offset;
        std::vector<short int> src_codes; // samples 0 .. 4, the copy at 1 .. 3
    } cases[] = {
        {"holding 0 V, offset 0.5", {-32767, 0, 32767}, 2.0f, 0.5f, 2.0f, 0.5f, {-16383, -32767, 0, 32767, -16383}},
        {"constant, amplitude 0", {5, 5, 5}, 0.0f, 2.0f, 2.0f, 1.0f, {-32767, 32767, 32767, 32767, -32767}},
        {"wholly above 0 V", {-32767, 0, 32767}, 2.0f, 3.0f, 4.0f, 2.0f, {-32767, 0, 16383, 32767, -32767}},
        {"wholly below 0 V", {-32767, 0, 32767}, 2.0f, -3.0f, 4.0f, -2.0f, {32767, -32767, -16383, 0, 32767}},
        {"a tiny constant", {0, 0, 0}, 0.0f, 0.01f, 0.1f, 0.005f, {-3276, 3276, 3276, 3276, -3276}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        math_dialog_t d;
        fill(d.doc, std::vector<short int>(5, 0), 2.0f, 0.0f);
        fill(d.clip, c.codes, c.amp, c.offset);
        d.sel = {1.0, 3.0};
        d.open();
        d.kind(2)->click();
        ASSERT_EQ(d->get_source_kind(), 2);
        const record_t *src = d->get_source_wv_data();
        EXPECT_FLOAT_EQ(src->amp, c.src_amp);
        EXPECT_FLOAT_EQ(src->offset, c.src_offset);
        EXPECT_EQ(codes_of(src), c.src_codes);
        const std::vector<double> v = volts_of(src);
        EXPECT_NEAR(v[0], 0.0, c.src_amp / 65534.0) << "padding is 0 V";
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(v[i + 1], c.offset + c.codes[i] * c.amp / 65534.0, c.src_amp / 65534.0);
    }
}

// A copy buffer longer than what follows the selection start is cut there; a shorter one
// is placed whole; the source always has the document's length.
TEST(UiWvmathForm, CopyBufferLengthOtherThanTheSelection)
{
    const struct
    {
        range_data_t sel;
        int clip_len;
        int first, placed;
    } cases[] = {{{15.0, 19.0}, 10, 15, 5}, {{2.0, 11.0}, 3, 2, 3}};
    for (const auto &c : cases) {
        math_dialog_t d;
        fill(d.doc, std::vector<short int>(20, 0), 2.0f, 0.0f);
        fill(d.clip, std::vector<short int>(c.clip_len, 1234), 2.0f, 0.0f);
        d.sel = c.sel;
        d.open();
        d.kind(2)->click();
        std::vector<short int> expected(20, 0);
        std::fill(expected.begin() + c.first, expected.begin() + c.first + c.placed, 1234);
        EXPECT_EQ(codes_of(d->get_source_wv_data()), expected) << c.clip_len;
    }
}

TEST(UiWvmathForm, DivisionAndOkFollowTheSource)
{
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    fill(d.clip, {100, 200, 300}, 2.0f, -5.0f); // all codes above 0, all volts below 0
    d.sel = {0.0, 2.0};
    d.open();
    d.kind(1)->click();
    EXPECT_FALSE(d->get_library_comb()->isEnabled());
    EXPECT_TRUE(d->get_value_frame()->isEnabled());
    EXPECT_FALSE(d->get_form()->rdbtn_div->isEnabled()) << "0 V";
    d.op(2)->click();
    EXPECT_EQ(codes_of(d->get_result_wv_data()), std::vector<short int>(6, 0)) << "times 0 V";
    EXPECT_FLOAT_EQ(d->get_result_wv_data()->amp, 0.1f);
    EXPECT_FLOAT_EQ(d->get_result_wv_data()->offset, 0.0f);

    type_base(d->get_value_frame(), "-2");
    ASSERT_TRUE(d->get_form()->rdbtn_div->isEnabled());
    d.op(3)->click();
    EXPECT_TRUE(d.ok_enabled());
    expect_result(d.dlg, d.doc, 3);

    type_base(d->get_value_frame(), "0");
    EXPECT_FALSE(d->get_form()->rdbtn_div->isEnabled());
    EXPECT_TRUE(d->get_form()->rdbtn_div->isChecked()) << "stays chosen";
    EXPECT_FALSE(d->has_result());
    EXPECT_FALSE(d.ok_enabled()) << "no operation applies";
    EXPECT_EQ(d->get_plot(2)->get_curve(0)->dataSize(), 6u);

    type_base(d->get_value_frame(), "2");
    EXPECT_TRUE(d.ok_enabled());
    expect_result(d.dlg, d.doc, 3);

    d.kind(2)->click();
    EXPECT_TRUE(d->get_form()->rdbtn_div->isEnabled()) << "copied codes all above 0";
    EXPECT_TRUE(d.ok_enabled());
}

TEST(UiWvmathForm, SelectionOutsideTheDocumentKeepsThePreviousSource)
{
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    fill(d.clip, {1, 2}, 2.0f, 0.0f);
    d.sel = {5.0, 6.0};
    d.open();
    d.kind(1)->click();
    const std::vector<short int> before = codes_of(d->get_result_wv_data());
    prompt_script_t prompts;
    d.kind(2)->click();
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "The data in the clipboard is too large.");
    EXPECT_EQ(d->get_source_kind(), 1);
    EXPECT_TRUE(d->get_value_radio()->isChecked());
    EXPECT_FALSE(d->get_clipboard_radio()->isChecked());
    EXPECT_TRUE(d->get_value_frame()->isEnabled());
    EXPECT_EQ(codes_of(d->get_result_wv_data()), before);
    EXPECT_TRUE(d.ok_enabled());
}

// Cancel in the standard-waveform dialog puts the list back and keeps the source; OK there
// makes its waveform the source.
TEST(UiWvmathForm, StandardWaveformDialogCancelAndOk)
{
    math_dialog_t d;
    fill(d.doc, std::vector<short int>(200, 0), 2.0f, 0.0f);
    d.open();
    ui_stdwvform_t *std_form = d->get_stdwvform();
    ASSERT_NE(std_form, nullptr);
    EXPECT_TRUE(std_form->isHidden());
    const std::vector<short int> sine = codes_of(d->get_source_wv_data());

    ui_coustom_comb_t *list = d->get_library_comb();
    list->setCurrentIndex(3);
    emit list->activated(3);
    EXPECT_TRUE(std_form->isVisible());
    EXPECT_EQ(std_form->get_wave_object()->get_wv_type(), LIB_WV_RAMP);
    QTest::mouseClick(std_form->get_form()->btn_cancel, Qt::LeftButton);
    EXPECT_TRUE(std_form->isHidden());
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(codes_of(d->get_source_wv_data()), sine);
    d.kind(1)->click();
    d.kind(0)->click();
    EXPECT_EQ(codes_of(d->get_source_wv_data()), sine) << "the last accepted shape, not the cancelled one";

    list->setCurrentIndex(5);
    emit list->activated(5);
    std_form->close(); // the window frame: only hidden, nothing taken
    EXPECT_TRUE(std_form->isHidden());
    EXPECT_EQ(list->currentIndex(), 0);

    list->setCurrentIndex(1);
    emit list->activated(1);
    QTest::mouseClick(std_form->get_form()->btn_ok, Qt::LeftButton);
    EXPECT_TRUE(std_form->isHidden());
    EXPECT_EQ(list->currentIndex(), 1);
    const std::vector<short int> square = codes_of(d->get_source_wv_data());
    ASSERT_EQ(square.size(), 200u);
    EXPECT_NE(square, sine);
    EXPECT_EQ(square[10], 32767);
    EXPECT_EQ(square[150], -32767);
    expect_result(d.dlg, d.doc, 0);
}

// What the dialog was opened with reads back; the stored choices steer the next recompute
// and the list's return without touching the radios, and values outside them are refused.
TEST(UiWvmathForm, AccessorsReadAndSteerTheDialog)
{
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    fill(d.clip, {-5, 7}, 3.0f, 0.5f);
    d.sel = {2.0, 3.0};
    d.open();
    EXPECT_EQ(d->get_points(), 6u);
    EXPECT_EQ(d->get_full_range().start, 0.0);
    EXPECT_EQ(d->get_full_range().end, 5.0);
    EXPECT_EQ(d->get_selection().start, 2.0);
    EXPECT_EQ(d->get_selection().end, 3.0);
    record_t *copy = d->get_clipboard_wv_data();
    EXPECT_EQ(codes_of(copy), (std::vector<short int>{-5, 7}));
    EXPECT_EQ(copy->amp, 3.0f);
    EXPECT_EQ(copy->offset, 0.5f);
    EXPECT_NE(copy->samples.get_path(), d.clip.samples.get_path()) << "a copy of its own";
    EXPECT_EQ(d->get_source_range().start, -1.0) << "the sine's low level";
    EXPECT_EQ(d->get_source_range().end, 1.0);

    // The stored operation applies to the next source; the radios stay.
    d->set_operation(1);
    d->set_operation(4);
    d->set_source_kind(-1);
    EXPECT_EQ(d->get_operation(), 1);
    EXPECT_EQ(d->get_source_kind(), 0);
    d.kind(1)->click();
    type_base(d->get_value_frame(), "0.5");
    expect_result(d.dlg, d.doc, 1);
    EXPECT_TRUE(d.op(0)->isChecked());
    d->set_source_range({1.0, 2.0});
    EXPECT_EQ(d->get_source_range().start, 1.0);
    type_base(d->get_value_frame(), "-0.25");
    EXPECT_EQ(d->get_source_range().start, -0.25) << "set anew by the rebuild";

    // The library list returns to the stored entry when the standard-waveform dialog is
    // cancelled.
    d->set_last_library_index(4);
    d->set_last_library_index(11);
    EXPECT_EQ(d->get_last_library_index(), 4);
    ui_coustom_comb_t *list = d->get_library_comb();
    list->setCurrentIndex(2);
    emit list->activated(2);
    QTest::mouseClick(d->get_stdwvform()->get_form()->btn_cancel, Qt::LeftButton);
    EXPECT_EQ(list->currentIndex(), 4);
    list->setCurrentIndex(1);
    emit list->activated(1);
    QTest::mouseClick(d->get_stdwvform()->get_form()->btn_ok, Qt::LeftButton);
    EXPECT_EQ(d->get_last_library_index(), 1);
}

TEST(UiWvmathForm, SameSignTests)
{
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    d.open();
    const struct
    {
        range_data_t range;
        bool same;
    } ranges[] = {{{1.0, 2.0}, true}, {{-1.0, -0.5}, true}, {{-1.0, 1.0}, false}, {{0.0, 1.0}, false},
                  {{0.0, 0.0}, false}};
    for (const auto &c : ranges)
        EXPECT_EQ(d->is_range_same_sign(c.range), c.same) << c.range.start << " " << c.range.end;

    const struct
    {
        std::vector<short int> codes;
        uint32 count;
        bool same;
    } buffers[] = {
        {{1, 2, 3}, 3, true},   {{-1, -5}, 2, true}, {{-1, 0, 3}, 3, false}, {{-1, -2, 3}, 2, true},
        {{-1, -2, 3}, 9, false}, {{4, 0}, 2, false},  {{}, 0, false},
    };
    for (const auto &c : buffers) {
        record_t r;
        fill(r, c.codes, 2.0f, 0.0f);
        EXPECT_EQ(d->is_wv_data_same_sign(r.samples, c.count), c.same) << testing::PrintToString(c.codes) << c.count;
    }
}

// The dialog's own arithmetic members write a combined with b into b.
TEST(UiWvmathForm, ArithmeticMembersCombineIntoTheSecondRecord)
{
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    d.open();
    using member_t = int32 (ui_wvmath_form_t::*)(const record_t *, uint32, record_t *, range_data_t);
    const member_t members[4] = {&ui_wvmath_form_t::_get_data_by_add, &ui_wvmath_form_t::_get_data_by_sub,
                                 &ui_wvmath_form_t::_get_data_by_mul, &ui_wvmath_form_t::_get_data_by_div};
    record_t a;
    fill(a, {-32767, -8000, 0, 12000, 32767}, 4.0f, 1.0f);
    const std::vector<double> av = volts_of(&a);
    for (int op = 0; op < 4; ++op) {
        SCOPED_TRACE(op);
        record_t b;
        fill(b, {30000, 1000, -20000, 5000, 32767}, 2.0f, 2.0f); // 1 V .. 3 V: a divisor without 0 V
        const std::vector<double> bv = volts_of(&b);
        ASSERT_EQ((d.dlg.data()->*members[op])(&a, 5, &b, {0.0, 5.0}), 0);
        const std::vector<double> r = volts_of(&b);
        ASSERT_EQ(r.size(), 5u);
        const double step = b.amp / 65534.0 * 1.01 + 1e-6;
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(r[i], combine(op, av[i], bv[i]), step + 1e-5 * std::fabs(r[i])) << i;
    }
}

TEST(UiWvmathForm, OutOfMemory)
{
    {
        math_dialog_t d;
        fill(d.doc, k_doc_codes, 4.0f, 1.0f);
        lib_alloc_fail_scope_t fail(0, 1);
        d.open();
        EXPECT_EQ(d->init_status, 3);
    }
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    fill(d.clip, {1, 2}, 2.0f, 0.0f);
    d.sel = {1.0, 2.0};
    d.open();
    ASSERT_EQ(d->init_status, 0);
    QSignalSpy info(d.dlg, SIGNAL(system_info_signal(int32)));
    {
        lib_alloc_fail_scope_t fail(0, 1);
        d.op(1)->click();
    }
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info.at(0).at(0).toInt(), 0);
    EXPECT_FALSE(d.ok_enabled());
    d.op(0)->click();
    EXPECT_TRUE(d.ok_enabled()) << "a later recompute brings OK back";
    {
        lib_alloc_fail_scope_t fail(0, 1);
        d.kind(2)->click();
    }
    ASSERT_EQ(info.count(), 2);
    EXPECT_FALSE(d.ok_enabled());
}

TEST(UiWvmathForm, ButtonsAndFrameSendTheirCodes)
{
    math_dialog_t d;
    fill(d.doc, k_doc_codes, 4.0f, 1.0f);
    d.open();
    EXPECT_EQ(ok_cancel_close_codes(d.dlg.data(), SIGNAL(arith_math_form_btn_signal(ui_wvmath_form_t *, int32))), (std::vector<int>{3, 2, 8}));
}

TEST(UiDialogLook, WaveformMathShowsEveryControlWhole)
{
    for (bool chinese : {false, true}) {
        language_scope_t language(chinese);
        math_dialog_t d;
        fill(d.doc, k_doc_codes, 4.0f, 1.0f);
        fill(d.clip, {1, 2}, 2.0f, 0.0f);
        d.sel = {1.0, 2.0};
        d.open();
        d.kind(2)->click();
        EXPECT_EQ(look_faults(d.dlg, language.name("wvmath_form")).toStdString(), "") << chinese;
    }
}
