// Waveform files and printing from the main window.
#include "ui_ondrix.h"

#include "cfg_file_main.h"
#include "cfg_if_wv.h"
#include "lib_path.h"
#include "ui_dialog_provider.h"
#include "ui_plot_loader.h"
#include "ui_plot_utils.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_waveform.h"
#include "ui_wv_undo_stack.h"

#include <QDebug>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QUndoGroup>
#include <exception>
#include <memory>
#include <qwt_plot_renderer.h>

// ---- waveform files ----

bool ui_ondrix_t::make_wave_name(const QString &path, int32 number, QString &name) const
{
    QByteArray bytes = path.toUtf8();
    int slash = bytes.lastIndexOf('/');
    int dot = bytes.lastIndexOf('.');
    if (slash < 0 || dot < 0 || slash > dot)
        return false;
    name = m_book_name + QString::number(number) + "-" + QString::fromUtf8(bytes.mid(slash + 1, dot - slash - 1));
    return true;
}

void ui_ondrix_t::open_file_dialog()
{
    QString folder = get_last_file_path();
    QString path = ui_dialog_provider().get_open_file_name(this, tr("Open"), folder, "csv(*.csv);;bin(*.bin);;dat(*.dat)");
    open_file_slot_func(path);
}

void ui_ondrix_t::open_arg_file(const QString &path)
{
    if (!path.isEmpty())
        open_file_slot_func(path);
}

void ui_ondrix_t::save_cur_wfm()
{
    if (!has_waveform_window())
        qDebug() << "No WaveForm Open!";
}

void ui_ondrix_t::open_file_slot_func(QString file)
{
    qDebug().noquote() << "file=" + file;
    const std::string bytes = lib_file_path_bytes(file);
    if (file.isEmpty())
        return;
    set_last_file_path(file);
    QString name;
    if (!make_wave_name(file, g_window_counter, name))
        return;
    save_cur_wfm();
    m_cur_wave_name = name;
    int32 r = create_named_wave_window(1, name);
    if (r != 0) {
        system_info_slot_func(r == 3 ? 0 : 1);
        return;
    }
    QMdiSubWindow *doc_window = m_mdi_area->activeSubWindow();
    show_waveform(doc_window);
    if (!m_cur_wave)
        return;
    auto reader = std::make_unique<cfg_file_main_t>(bytes);
    int result = reader->open_outside_file(bytes, *m_cur_wave->get_wave_data());
    if (result >= 0) {
        try {
            cfg_if_wv_t *wave = m_cur_wave->wave_object;
            cfg_bin_main_t *params = reader->reader.get();
            wave->set_high_low_level(*params->get_high(), *params->get_low());
            wave->set_wv_len(*params->get_points());
            wave->set_freq(static_cast<double>(*params->get_freq()));
            wave->set_phase(*params->get_phase());
            m_cur_wave->bind_zoomer_data();
            ui_preview_plot_t *plot = m_cur_wave->plot;
            plot->set_wave_freq(static_cast<fp32>(*wave->get_freq()));
            plot->set_wave_points(*wave->get_wv_len());
            fp32 high = *params->get_high();
            fp32 low = *params->get_low();
            plot_load_waveform_yrange(plot, &high, &low, m_cur_wave->get_wave_data(), 3000);
            add_wave_undo_stack();
        } catch (const std::exception &e) {
            qDebug().noquote() << QString("ui_ondrix_t::show_open_file():") + e.what();
            discard_failed_document(doc_window);
            system_info_slot_func(0);
        }
        return;
    }
    if (result == -9)
        system_info_slot_func(0);
    else
        show_open_file_error(result);
    discard_failed_document(doc_window);
}

// The window of a failed open holds nothing of the file: it goes without a save question,
// and its undo stack leaves the group with it.
void ui_ondrix_t::discard_failed_document(QMdiSubWindow *sub)
{
    if (!sub)
        return;
    if (ui_waveform_t *doc = qobject_cast<ui_waveform_t *>(sub->widget())) {
        doc->set_saved(true);
        m_undo_group->removeStack(doc->get_undo_stack());
    }
    sub->close();
    if (QMdiSubWindow *active = m_mdi_area->activeSubWindow())
        show_window_change_slot_func(active);
    else
        m_cur_wave = nullptr;
    _update_status_bar_show();
}

void ui_ondrix_t::show_open_file_error(int32 code)
{
    QString text;
    switch (code) {
    case -12:
        text = tr("File read failed, this file format is not supported.\nOnly '.csv', '.bin', and '.dat' format are supported.");
        break;
    case -11:
        text = tr("File read failed, the points of wave are too small.\nValid range:2 ~ 20M.");
        break;
    case -10:
        text = tr("File read failed, the points of wave are too large.\nValid range:2 ~ 20M.");
        break;
    default:
        text = tr("File read failed, an unknown error occurred.");
        break;
    }
    ui_prompt_t prompt(this);
    prompt.show_info_box(text);
}

bool ui_ondrix_t::save_file()
{
    if (document_is_current()) {
        if (m_cur_wave->is_saved())
            return false;
        return save_as_file();
    }
    ui_prompt_t prompt(this);
    prompt.show_info_box(m_no_wave_msg);
    return false;
}

bool ui_ondrix_t::save_as_file()
{
    QString folder = get_last_file_path();
    QString path = ui_dialog_provider().get_save_file_name(this, tr("Save As"), folder, "csv(*.csv);;bin(*.bin)");
    if (path.isEmpty())
        return false;
    save_file_slot_func(path);
    // A save that wrote nothing keeps the document unsaved: closing must not go on.
    return m_cur_wave && m_cur_wave->is_saved();
}

void ui_ondrix_t::save_file_slot_func(QString file_path)
{
    if (file_path.isEmpty() || !m_cur_wave)
        return;
    const std::string bytes = lib_file_path_bytes(file_path);
    set_last_file_path(file_path);
    cfg_if_wv_t *wave = m_cur_wave->wave_object;
    auto writer = std::make_unique<cfg_file_main_t>(bytes);
    cfg_bin_main_t *params = writer->reader.get();
    params->set_points(*wave->get_wv_len());
    params->set_freq(static_cast<float>(*wave->get_freq()));
    params->set_amp(*wave->get_amp());
    params->set_offset(*wave->get_offset());
    params->set_phase(*wave->get_phase());
    int result = writer->save_outside_file(bytes, wave);
    if (result < 0) {
        ui_prompt_t prompt(this);
        prompt.show_error_box(tr("File save failed, the file could not be written."));
        return;
    }
    // Only a file really written marks the document saved.
    m_cur_wave->set_saved(true);
    QString name;
    make_wave_name(file_path, m_cur_wave->get_window_num(), name);
    m_cur_wave_name = name;
    m_cur_wave->setWindowTitle(name);
    if (QMdiSubWindow *sub = m_mdi_area->activeSubWindow())
        sub->setWindowTitle(name);
}

void ui_ondrix_t::save_waveform(const QString &name)
{
    if (name.isEmpty())
        return;
    if (!has_waveform_window()) {
        qDebug() << "Current WaveForm is NULL!";
        return;
    }
    for (int i = 0; i < m_wave_window_list.size(); ++i) {
        if (m_wave_window_list[i]->windowTitle() == m_cur_wave_name) {
            QMdiSubWindow *active = m_mdi_area->activeSubWindow();
            if (active)
                active->setWindowTitle(name);
            m_wave_window_list[i] = active;
        }
    }
    m_cur_wave_name = name;
}

void ui_ondrix_t::render_plot(QPrinter *printer)
{
    QwtPlotRenderer renderer;
    if (printer->colorMode() == QPrinter::GrayScale) {
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground);
        renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasFrame);
        renderer.setLayoutFlag(QwtPlotRenderer::FrameWithScales);
    }
    renderer.renderTo(m_cur_wave->plot, *printer);
}

void ui_ondrix_t::print_wave()
{
    if (!document_is_current()) {
        ui_prompt_t prompt(this);
        prompt.show_info_box(m_no_wave_msg);
        return;
    }
    QPrinter printer(QPrinter::ScreenResolution);
    if (ui_dialog_provider().exec_print_dialog(this, printer))
        render_plot(&printer);
}

void ui_ondrix_t::print_preview()
{
    QPrinter printer(QPrinter::ScreenResolution);
    ui_dialog_provider().exec_print_preview(this, printer, [this](QPrinter *p) { print_preview_slot_func(p); });
}

void ui_ondrix_t::print_preview_slot_func(QPrinter *printer)
{
    if (!document_is_current()) {
        ui_prompt_t prompt(this);
        prompt.show_info_box(m_no_wave_msg);
        return;
    }
    render_plot(printer);
}

