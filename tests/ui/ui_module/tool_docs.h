#pragma once
// Documents for the math tool dialogs: an MDI area whose sub-windows hold document windows
// with given samples, and a look at a dialog as a user sees it.
#include "cfg_if_wv.h"
#include "layout_check.h"
#include "lib_wv_data.h"
#include "ui_app_paths.h"
#include "ui_language_resources.h"
#include "ui_waveform.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSignalSpy>
#include <QString>
#include <QWidget>
#include <QtTest/QtTest>

#include <vector>

struct tool_docs_t
{
    QMdiArea area;

    // A document titled `title` holding `codes` with the given scale and frequency.
    ui_waveform_t *add(const QString &title, const std::vector<short int> &codes, float amp = 2.0f,
                       float offset = 0.0f, double freq = 1000.0)
    {
        auto *doc = new ui_waveform_t(nullptr, nullptr, static_cast<uint32>(codes.size()), float(freq), nullptr);
        set_codes(doc, codes, amp, offset);
        doc->wave_object->set_freq(freq);
        doc->set_saved(true);
        QMdiSubWindow *sub = area.addSubWindow(doc);
        sub->setWindowTitle(title);
        return doc;
    }

    static void set_codes(ui_waveform_t *doc, const std::vector<short int> &codes, float amp, float offset)
    {
        lib_wv_data_t<short int> rec;
        rec.amp = amp;
        rec.offset = offset;
        rec.samples.write(0, codes.data(), static_cast<uint32>(codes.size()));
        doc->set_wave_data(rec);
        doc->get_wave_data()->samples.truncate(static_cast<uint32>(codes.size()));
        doc->wave_object->set_amp(amp);
        doc->wave_object->set_offset(offset);
    }

    QList<QMdiSubWindow *> list() const { return area.subWindowList(QMdiArea::CreationOrder); }
};

inline std::vector<short int> codes_of(const lib_wv_data_t<short int> *data)
{
    std::vector<short int> v;
    data->read_all(v);
    return v;
}

// The program's texts in one language while it lives; the dialogs built meanwhile show them.
struct language_scope_t
{
    bool chinese;
    explicit language_scope_t(bool zh) : chinese(zh)
    {
        ui_init_language_resources();
        ui_install_language(chinese);
    }
    ~language_scope_t() { ui_install_language(false); }
    QString name(const QString &stem) const { return chinese ? stem + "_zh" : stem; }
};

// The dialog shown under the application style sheet: the faults the layout check finds,
// one per line. With ONDRIX_LOOK_DIR set the picture is kept there for a look.
inline QString look_faults(QWidget *dialog, const QString &name)
{
    ui_install_style_sheet();
    dialog->show();
    QApplication::processEvents();
    const QString dir = qEnvironmentVariable("ONDRIX_LOOK_DIR");
    if (!dir.isEmpty())
        dialog->grab().save(dir + "/" + name + ".png");
    const QString faults = layout_check::faults(dialog).join("\n");
    qApp->setStyleSheet(QString());
    return faults;
}

// Clicks OK, then Cancel, then closes the shown dialog: the codes its button signal
// (dialog pointer, code) sent, in order.
template <class Dialog> std::vector<int> ok_cancel_close_codes(Dialog *dialog, const char *signal)
{
    dialog->show();
    QSignalSpy spy(dialog, signal);
    QTest::mouseClick(dialog->get_form()->btn_ok, Qt::LeftButton);
    QTest::mouseClick(dialog->get_form()->btn_cancel, Qt::LeftButton);
    dialog->close();
    std::vector<int> codes;
    for (const QList<QVariant> &args : spy)
        codes.push_back(args.at(1).toInt());
    return codes;
}
