#pragma once
#include <QMessageBox>

#include <memory>

class MessageboxIconStyle;

// Message box under the "MessageBoxStyle" rule, drawn by its own common style.
class ui_qmessagebox_t : public QMessageBox
{
    Q_OBJECT
public:
    explicit ui_qmessagebox_t(QWidget *parent = nullptr);
    ui_qmessagebox_t(QMessageBox::Icon icon, const QString &title, const QString &text,
                     QMessageBox::StandardButtons buttons = QMessageBox::NoButton,
                     QWidget *parent = nullptr,
                     Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    ~ui_qmessagebox_t() override;

private:
    // A widget does not own the style it is given; the box does.
    std::unique_ptr<MessageboxIconStyle> icon_style;
};
