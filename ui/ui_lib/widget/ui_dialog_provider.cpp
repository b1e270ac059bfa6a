#include "ui_dialog_provider.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

ui_dialog_provider_t qt_dialogs()
{
    ui_dialog_provider_t p;
    p.get_open_file_name = [](QWidget *parent, const QString &title, const QString &folder, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, title, folder, filter);
    };
    p.get_save_file_name = [](QWidget *parent, const QString &title, const QString &folder, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, title, folder, filter);
    };
    p.exec_print_dialog = [](QWidget *parent, QPrinter &printer) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    p.exec_print_preview = [](QWidget *parent, QPrinter &printer, const std::function<void(QPrinter *)> &paint) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&paint](QPrinter *p) { paint(p); });
        dialog.exec();
    };
    return p;
}

ui_dialog_provider_t &current()
{
    static ui_dialog_provider_t provider = qt_dialogs();
    return provider;
}

} // namespace

ui_dialog_provider_t &ui_dialog_provider() { return current(); }

void ui_set_dialog_provider(const ui_dialog_provider_t &provider)
{
    ui_dialog_provider_t fallback = qt_dialogs();
    ui_dialog_provider_t p = provider;
    if (!p.get_open_file_name)
        p.get_open_file_name = fallback.get_open_file_name;
    if (!p.get_save_file_name)
        p.get_save_file_name = fallback.get_save_file_name;
    if (!p.exec_print_dialog)
        p.exec_print_dialog = fallback.exec_print_dialog;
    if (!p.exec_print_preview)
        p.exec_print_preview = fallback.exec_print_preview;
    current() = p;
}

void ui_reset_dialog_provider() { current() = qt_dialogs(); }
