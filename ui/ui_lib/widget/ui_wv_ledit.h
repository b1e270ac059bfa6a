#pragma once
#include <QFrame>

class QLineEdit;

// Waveform name entry: a prefix edit and a postfix edit that read as one name.
class ui_wv_ledit_t : public QFrame
{
    Q_OBJECT
public:
    explicit ui_wv_ledit_t(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    void set_prefix_text(const QString &text);
    QString get_prefix_text() const;
    void set_prefix_enabled(bool enabled);
    void set_posfix_text(const QString &text);
    QString get_posfix_text() const;
    QString get_wave_name() const;

    QLineEdit *prefix_edit() const { return prefix_ledit; }
    QLineEdit *posfix_edit() const { return posfix_ledit; }

signals:
    void posfix_ledit_clicked(int temp1, int temp2);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString posfix_text;
    QLineEdit *prefix_ledit;
    QLineEdit *posfix_ledit;
};
