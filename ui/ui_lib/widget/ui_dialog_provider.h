#pragma once
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// The file and print dialogs the main window shows, behind one replaceable provider, so
// the commands that use them run without a screen in tests.
struct ui_dialog_provider_t
{
    // An empty result means the dialog was cancelled.
    std::function<QString(QWidget *parent, const QString &title, const QString &folder, const QString &filter)>
        get_open_file_name;
    std::function<QString(QWidget *parent, const QString &title, const QString &folder, const QString &filter)>
        get_save_file_name;
    // True when the user accepted the print dialog for this printer.
    std::function<bool(QWidget *parent, QPrinter &printer)> exec_print_dialog;
    // Runs the preview on the printer; `paint` renders a page onto it.
    std::function<void(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter *)> &paint)>
        exec_print_preview;
};

// The provider in force: Qt's own dialogs unless a test installed another one.
ui_dialog_provider_t &ui_dialog_provider();
void ui_set_dialog_provider(const ui_dialog_provider_t &provider);
void ui_reset_dialog_provider();
