#include "ui_instr_model_form.h"

#include "lib_diag.h"
#include "ui_coustom_comb.h"

#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QLabel>

std::string factory_brand;

namespace {

void fill_channels(ui_coustom_comb_t *comb, int count)
{
    static const char *const names[] = {QT_TRANSLATE_NOOP("ui_instr_model_form_t", "CH1"),
                                        QT_TRANSLATE_NOOP("ui_instr_model_form_t", "CH2"),
                                        QT_TRANSLATE_NOOP("ui_instr_model_form_t", "CH3"),
                                        QT_TRANSLATE_NOOP("ui_instr_model_form_t", "CH4")};
    for (int i = 0; i < count; ++i)
        comb->addItem(QCoreApplication::translate("ui_instr_model_form_t", names[i]), i);
    comb->setCurrentIndex(0);
}

} // namespace

ui_instr_model_form_t::ui_instr_model_form_t(const QString &label_text)
    : QFrame(nullptr), instr_type(INSTR_NONE), channel(LIB_CH1)
{
    label = new QLabel(label_text, this);
    model_comb = new ui_coustom_comb_t(this);
    two_ch_comb = new ui_coustom_comb_t(this);
    one_ch_comb = new ui_coustom_comb_t(this);
    four_ch_comb = new ui_coustom_comb_t(this);

    auto *grid = new QGridLayout(this);
    grid->setMargin(0);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setAlignment(Qt::AlignCenter);
    grid->addWidget(label, 0, 0);
    grid->addWidget(model_comb, 0, 1, 1, 4);
    grid->addWidget(two_ch_comb, 0, 5);
    grid->addWidget(one_ch_comb, 0, 5);
    grid->addWidget(four_ch_comb, 0, 5);
    one_ch_comb->hide();
    four_ch_comb->hide();

    label->setObjectName("normal_label");
    for (QComboBox *c : {static_cast<QComboBox *>(model_comb), static_cast<QComboBox *>(two_ch_comb),
                         static_cast<QComboBox *>(one_ch_comb), static_cast<QComboBox *>(four_ch_comb)})
        c->setObjectName("normal_comb");

    model_map = {{"ZQWT000R", INSTR_ZQW8000A}, {"ZQWS000R", INSTR_ZQW7000A}, {"ZQWR000V", INSTR_ZQW6000X},
                 {"ZQWR000V-L", INSTR_ZQW6000X_E}, {"ZQWP000V", INSTR_ZQW2000X}, {"ZQWN000V", INSTR_ZQW1000X},
                 {"ZQWQ000", INSTR_ZQW5000}, {"ZQWN000", INSTR_ZQW1000}, {"ZQWT00", INSTR_ZQW800},
                 {"MZKU55I", INSTR_MZK1021}, {"MZKU55", INSTR_MZK1021}};
    load_factory_models();

    fill_channels(two_ch_comb, 2);
    fill_channels(one_ch_comb, 1);
    fill_channels(four_ch_comb, 4);
    channel = LIB_CH1;
    show_channel_combo(instr_type);

    for (QComboBox *c : {static_cast<QComboBox *>(model_comb), static_cast<QComboBox *>(two_ch_comb),
                         static_cast<QComboBox *>(one_ch_comb), static_cast<QComboBox *>(four_ch_comb)})
        connect(c, SIGNAL(activated(int)), this, SLOT(comb_slot_func(int)));
}

void ui_instr_model_form_t::load_factory_models()
{
    QString path = QCoreApplication::applicationDirPath() + "/factory.txt";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        lib_diag_line("error to open file = " + std::string(path.toUtf8().constData()));
        return;
    }
    uint16 row = 0;
    while (!file.atEnd()) {
        std::string line = file.readLine().toStdString();
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty()) {
            lib_diag_line("empty line");
            continue;
        }
        std::size_t first = line.find(',');
        if (first == std::string::npos)
            continue;
        factory_brand = line.substr(0, first);
        std::string rest = line.substr(first + 1);
        std::size_t second = rest.find(',');
        if (second == std::string::npos)
            break; // a line with one comma ends the list
        std::string display = rest.substr(0, second);
        std::string model = line.substr(line.rfind(',') + 1);
        auto known = model_map.find(model);
        if (known == model_map.end())
            continue;
        model_comb->addItem(QCoreApplication::translate("ui_instr_model_form_t", display.c_str()),
                            static_cast<int>(known->second));
        row_model_map[row] = known->second;
        if (row == 0) {
            model_comb->setCurrentIndex(0);
            instr_type = known->second;
        }
        ++row;
    }
}

void ui_instr_model_form_t::set_instr_type(instr_zqw_t type)
{
    model_comb->setCurrentIndex(static_cast<int>(type));
    instr_type = type;
}

void ui_instr_model_form_t::set_channel(lib_ch_t ch)
{
    int t = static_cast<int>(instr_type);
    int c = static_cast<int>(ch);
    if (t == 0 && c >= 0 && c <= 3) {
        four_ch_comb->setCurrentIndex(c);
    } else if (t >= 1 && t <= 7 && c >= 0 && c <= 1) {
        two_ch_comb->setCurrentIndex(c);
    } else if ((t == 8 || t == 9) && c == 0) {
        one_ch_comb->setCurrentIndex(0);
    } else {
        return;
    }
    channel = ch;
}

void ui_instr_model_form_t::show_channel_combo(instr_zqw_t type)
{
    int t = static_cast<int>(type);
    if (t < 0 || t > 9)
        return;
    four_ch_comb->setVisible(t == 0);
    two_ch_comb->setVisible(t >= 1 && t <= 7);
    one_ch_comb->setVisible(t == 8 || t == 9);
}

void ui_instr_model_form_t::comb_slot_func(int index)
{
    QObject *from = sender();
    if (from == model_comb) {
        instr_zqw_t previous = instr_type;
        auto found = row_model_map.find(index);
        if (found != row_model_map.end()) {
            instr_type = found->second;
            lib_diag_line("first " + std::to_string(index) + " second " + std::to_string(static_cast<int>(instr_type)));
        }
        show_channel_combo(instr_type);
        if (previous == INSTR_ZQW800 || previous == INSTR_MZK1021) {
            channel = LIB_CH1;
            two_ch_comb->setCurrentIndex(0);
        }
        emit instr_change_info_signal(instr_type, channel);
    } else if (from == two_ch_comb || from == one_ch_comb || from == four_ch_comb) {
        channel = static_cast<lib_ch_t>(index);
        emit instr_change_info_signal(instr_type, static_cast<lib_ch_t>(index));
    }
}
