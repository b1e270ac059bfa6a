#pragma once
#include "lib_xml_check.h"

#include <QMap>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <functional>

// The four parameters of a ".bin" waveform file kept in its ".info" file.
struct lib_bin_info_t
{
    float freq = 0.0f;
    float amp = 0.0f;
    float offset = 0.0f;
    float phase = 0.0f;
};

// Reads and edits the configuration XML file element by element. Containers carry the
// attribute "no_value"; every other element holds plain text. Reads scan the whole file;
// edits write a complete new copy and put it in the file's place only when it reads
// back as the edit meant.
class lib_xml_t
{
public:
    lib_xml_t();
    virtual ~lib_xml_t() = default;

    void create_file_template(const QString &path);
    // True when the file can be read but is no well-formed XML (empty, cut short, garbage).
    bool is_file_broken(const QString &path);
    bool read_file_by_one_node(const QString &path, const QString &name, QString &text);
    QString read_node_content(const QString &path, const QString &name);
    bool is_node_exit(const QString &path, const QString &name);
    bool is_node_content_exit(const QString &path, const QString &text);
    bool add_node(const QString &path, const QString &parent, const QString &name, const QString &text);
    bool set_node_content(const QString &path, const QString &name, const QString &text);
    bool delete_node(const QString &path, const QString &name);
    bool delete_node_by_content(const QString &path, const QString &text);
    virtual QMap<QString, QString> get_all_child_node_by_parent(const QString &path, const QString &parent,
                                                                const QString &key);

    void write_bin_info(const QString &path, float freq, float amp, float offset, float phase);
    bool read_bin_info(const QString &path, lib_bin_info_t &info);

protected:
    using copy_op_t = lib_xml_edit_t;
    // The child-collecting scan shared with subclasses; `keep` decides which children count.
    QMap<QString, QString> collect_children(const QString &path, const QString &parent,
                                            bool (*keep)(const QString &name, const QString &key),
                                            const QString &key);

private:
    // Reads the file token by token, handing each to `visit` until it returns true. False
    // when the file cannot be read or a parse error ended the scan (both logged).
    bool scan_file(const QString &path, const std::function<bool()> &visit);
    bool copy_and_replace(copy_op_t op, const QString &path, const QString &name, const QString &text);
    QString error_text() const;

    QXmlStreamWriter m_writer;
    QXmlStreamReader m_reader;
    bool m_write_end;
    QString m_add_parent; // the container add_node writes into, during the copy
};
