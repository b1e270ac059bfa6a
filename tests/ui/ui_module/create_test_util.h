#pragma once
// Shared helpers of the creation-dialog tests: typing into value frames, answering
// prompts, and looking for sample files left in the working folder.
#include "lib_wv_data.h"
#include "ui_combx.h"
#include "ui_frame.h"
#include "ui_prompt.h"

#include <QAbstractSpinBox>
#include <QDir>
#include <QStringList>
#include <QTest>

#include <vector>

namespace create_test {

// Types text into a frame's spin box in its base unit and commits it with Enter.
inline void type_base(ui_frame_t *frame, const QString &text)
{
    frame->unit_combx->reset_unit();
    QAbstractSpinBox *box = frame->spinbox;
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// Types text into a frame's spin box in the given unit prefix and commits it.
inline void type_in_unit(ui_frame_t *frame, int prefix, const QString &text)
{
    frame->unit_combx->set_unit(prefix);
    QAbstractSpinBox *box = frame->spinbox;
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// Answers every prompt with OK and records its text.
struct prompt_recorder_t
{
    QStringList texts;
    prompt_recorder_t()
    {
        ui_prompt_t::set_answer_hook([this](QMessageBox &box) {
            texts << box.text();
            return QMessageBox::Ok;
        });
    }
    ~prompt_recorder_t() { ui_prompt_t::set_answer_hook(nullptr); }
};

inline QStringList wave_buffer_files()
{
    return QDir::current().entryList({".wave_data_buffer*"}, QDir::Files | QDir::Hidden);
}

inline std::vector<short int> samples_of(lib_wv_data_t<short int> *data)
{
    std::vector<short int> v;
    data->read_all(v);
    return v;
}

} // namespace create_test
