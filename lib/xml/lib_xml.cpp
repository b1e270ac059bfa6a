#include "lib_xml.h"

#include "lib_file_io.h"
#include "lib_path.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const k_no_value = "no_value";

// Detaches the reader from a file that is about to go out of scope.
struct reader_guard_t
{
    QXmlStreamReader &reader;
    ~reader_guard_t() { reader.setDevice(nullptr); }
};

struct writer_guard_t
{
    QXmlStreamWriter &writer;
    ~writer_guard_t() { writer.setDevice(nullptr); }
};

bool keep_every_child(const QString &, const QString &) { return true; }

const char *label_of(int op)
{
    static const char *const labels[] = {"lib_xml_t::add_node", "lib_xml_t::set_node_content",
                                         "lib_xml_t::delete_node", "lib_xml_t::delete_node_by_content"};
    return labels[op];
}

// Puts a new content in the file's place: written to a save temporary beside the file,
// read back from the disk and checked against `expected` (when given), then renamed
// over the file in one step. A reader never sees half a file, and a failure leaves the
// old file as it was.
bool replace_file(const QString &path, const QByteArray &bytes, const std::vector<lib_xml_item_t> *expected,
                  const QString &label)
{
    // A link to the configuration stays a link: its target is replaced.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const std::string target = lib_file_path_bytes(canonical.isEmpty() ? path : canonical);
    std::string temp;
    lib_fd_t out = lib_create_save_temp(target, temp);
    if (!out.ok()) {
        qDebug().noquote() << label + ":open file failed!!!";
        return false;
    }
    struct stat old;
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(out.get(), old.st_mode & 07777); // the replacement keeps the file's mode
    const auto fail = [&](const char *why) {
        qDebug().noquote() << label + why;
        out.reset();
        ::unlink(temp.c_str());
        return false;
    };
    if (lib_pwrite_all(out.get(), bytes.constData(), std::size_t(bytes.size()), 0) != std::size_t(bytes.size()) ||
        ::fdatasync(out.get()) != 0)
        return fail(":write file failed!!!");
    if (expected) {
        QFile back(QFile::decodeName(QByteArray::fromStdString(temp)));
        std::vector<lib_xml_item_t> written;
        if (!back.open(QIODevice::ReadOnly) || !lib_xml_read_items(back.readAll(), written) ||
            !lib_xml_same_items(written, *expected))
            return fail(":the new copy does not read back as the edit meant, the file is kept");
    }
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(":replace file failed!!!");
    return true;
}

} // namespace

lib_xml_t::lib_xml_t() : m_write_end(true) {}

QString lib_xml_t::error_text() const
{
    return QString("error information:%1  line:%2  column:%3  offset:%4")
        .arg(m_reader.errorString())
        .arg(m_reader.lineNumber())
        .arg(m_reader.columnNumber())
        .arg(m_reader.characterOffset());
}

void lib_xml_t::create_file_template(const QString &path)
{
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QBuffer f(&bytes);
    f.open(QIODevice::WriteOnly);
    writer_guard_t guard{m_writer};
    m_writer.setAutoFormatting(true);
    m_writer.setDevice(&f);
    m_writer.writeStartDocument();
    m_writer.writeStartElement("Ondrix");
    m_writer.writeAttribute(k_no_value, "1");
    m_writer.writeTextElement("language", "english");
    m_writer.writeStartElement("manual_tcp_ip");
    m_writer.writeAttribute(k_no_value, "1");
    m_writer.writeEndElement();
    m_writer.writeEndElement();
    m_writer.writeEndDocument();
    replace_file(path, bytes, nullptr, "lib_xml_t::write_file");
}

bool lib_xml_t::is_file_broken(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    std::vector<lib_xml_item_t> items;
    return !lib_xml_read_items(f.readAll(), items);
}

bool lib_xml_t::scan_file(const QString &path, const std::function<bool()> &visit)
{
    if (path.isEmpty())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "lib_xml_t::read_file:open file failed!!!";
        return false;
    }
    reader_guard_t guard{m_reader};
    m_reader.setDevice(&f);
    while (!m_reader.atEnd()) {
        m_reader.readNext();
        if (visit())
            return true;
    }
    if (m_reader.hasError()) {
        qDebug().noquote() << "lib_xml_t::read_file:" + error_text();
        return false;
    }
    return true;
}

bool lib_xml_t::read_file_by_one_node(const QString &path, const QString &name, QString &text)
{
    // The whole file is read: the last element of that name wins.
    return scan_file(path, [&] {
        if (m_reader.isStartElement() && m_reader.name() == name)
            text = m_reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        return false;
    });
}

QString lib_xml_t::read_node_content(const QString &path, const QString &name)
{
    QString text;
    if (!read_file_by_one_node(path, name, text))
        return QString();
    return text;
}

bool lib_xml_t::is_node_exit(const QString &path, const QString &name)
{
    bool found = false;
    scan_file(path, [&] { return found = m_reader.isStartElement() && m_reader.name() == name; });
    return found;
}

bool lib_xml_t::is_node_content_exit(const QString &path, const QString &text)
{
    bool found = false;
    scan_file(path, [&] {
        if (!m_reader.isStartElement() || m_reader.attributes().hasAttribute(k_no_value))
            return false;
        found = m_reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement) == text && !m_reader.hasError();
        return found;
    });
    return found;
}

QMap<QString, QString> lib_xml_t::collect_children(const QString &path, const QString &parent,
                                                   bool (*keep)(const QString &, const QString &),
                                                   const QString &key)
{
    QMap<QString, QString> children;
    if (path.isEmpty() || parent == "Ondrix")
        return children;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "lib_xml_t::get_all_child_node_by_parent:open file failed!!!";
        return children;
    }
    reader_guard_t guard{m_reader};
    m_reader.setDevice(&f);
    bool inside = false;
    while (!m_reader.atEnd()) {
        m_reader.readNext();
        if (!inside) {
            inside = m_reader.isStartElement() && m_reader.name() == parent &&
                     m_reader.attributes().hasAttribute(k_no_value);
            continue;
        }
        if (m_reader.isEndElement() && m_reader.name() == parent)
            return children;
        if (m_reader.isStartElement()) {
            QString child = m_reader.name().toString();
            QString text = m_reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            if (keep(child, key))
                children[child] = text;
        }
    }
    if (m_reader.hasError())
        return QMap<QString, QString>();
    return children;
}

QMap<QString, QString> lib_xml_t::get_all_child_node_by_parent(const QString &path, const QString &parent,
                                                               const QString &key)
{
    return collect_children(path, parent, keep_every_child, key);
}

bool lib_xml_t::add_node(const QString &path, const QString &parent, const QString &name, const QString &text)
{
    if (!is_node_exit(path, parent)) {
        qDebug() << "lib_xml_t::add_node: node is not exit!!!";
        return false;
    }
    m_add_parent = parent;
    return copy_and_replace(copy_op_t::add, path, name, text);
}

bool lib_xml_t::set_node_content(const QString &path, const QString &name, const QString &text)
{
    if (!is_node_exit(path, name)) {
        qDebug() << "lib_xml_t::set_node_content: node is not exit!!!";
        return false;
    }
    return copy_and_replace(copy_op_t::set, path, name, text);
}

bool lib_xml_t::delete_node(const QString &path, const QString &name)
{
    if (!is_node_exit(path, name)) {
        qDebug() << "lib_xml_t::delete_node: node is not exit!!!";
        return false;
    }
    return copy_and_replace(copy_op_t::remove, path, name, QString());
}

bool lib_xml_t::delete_node_by_content(const QString &path, const QString &text)
{
    if (!is_node_content_exit(path, text)) {
        qDebug() << "lib_xml_t::delete_node_by_content: node is not exit!!!";
        return false;
    }
    return copy_and_replace(copy_op_t::remove_by_content, path, QString(), text);
}

bool lib_xml_t::copy_and_replace(copy_op_t op, const QString &path, const QString &name, const QString &text)
{
    const QString label = label_of(static_cast<int>(op));
    QByteArray source;
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qDebug().noquote() << label + ":open file failed!!!";
            return false;
        }
        source = f.readAll();
    }
    QBuffer src(&source);
    src.open(QIODevice::ReadOnly);
    QByteArray copy;
    QBuffer tmp(&copy);
    tmp.open(QIODevice::WriteOnly);
    bool ok = true;
    {
        reader_guard_t rguard{m_reader};
        writer_guard_t wguard{m_writer};
        m_writer.setAutoFormatting(true);
        m_writer.setDevice(&tmp);
        m_reader.setDevice(&src);
        m_write_end = true;
        while (ok && !m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::StartDocument:
                m_writer.writeStartDocument();
                break;
            case QXmlStreamReader::EndDocument:
                m_writer.writeEndDocument();
                break;
            case QXmlStreamReader::StartElement: {
                QString element = m_reader.name().toString();
                if (m_reader.attributes().hasAttribute(k_no_value)) {
                    if ((op == copy_op_t::set || op == copy_op_t::remove) && element == name) {
                        ok = false; // a container has no text to set or remove
                        break;
                    }
                    m_writer.writeStartElement(element);
                    m_writer.writeAttribute(k_no_value, "1");
                    if (op == copy_op_t::add && element == m_add_parent)
                        m_writer.writeTextElement(name, text);
                    break;
                }
                QString content;
                if (op == copy_op_t::set) {
                    // Only the piece of text right after the start tag counts here.
                    QXmlStreamReader::TokenType next = m_reader.readNext();
                    if (next != QXmlStreamReader::EndElement) {
                        if (next == QXmlStreamReader::Characters)
                            content = m_reader.text().toString();
                        m_write_end = false;
                    }
                    m_writer.writeTextElement(element, element == name ? text : content);
                    break;
                }
                content = m_reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
                if (m_reader.hasError())
                    break;
                if (op == copy_op_t::remove && element == name)
                    break;
                if (op == copy_op_t::remove_by_content && content == text)
                    break;
                m_writer.writeTextElement(element, content);
                break;
            }
            case QXmlStreamReader::EndElement:
                if (!m_write_end) {
                    m_write_end = true; // this text element was written whole already
                    break;
                }
                m_writer.writeEndElement();
                break;
            default:
                break;
            }
        }
        if (m_reader.hasError()) {
            qDebug().noquote() << label + ":" + error_text();
            ok = false;
        }
        m_write_end = true;
    }
    if (!ok)
        return false;
    // The copy replaces the file only when it reads back as the edit meant: an element
    // whose parent lacks "no_value", or a root without it, would otherwise lose elements
    // or leave a file that no longer parses.
    std::vector<lib_xml_item_t> items;
    lib_xml_read_items(source, items);
    const std::vector<lib_xml_item_t> expected = lib_xml_expected_items(items, op, m_add_parent, name, text);
    return replace_file(path, copy, &expected, label);
}

void lib_xml_t::write_bin_info(const QString &path, float freq, float amp, float offset, float phase)
{
    if (path.isEmpty())
        return;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
    QXmlStreamWriter w(&f);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement("bin_info_root");
    // "%f" with a decimal point whatever the locale (std::to_string follows the locale).
    w.writeTextElement("freq", QString::number(freq, 'f', 6));
    w.writeTextElement("amp", QString::number(amp, 'f', 6));
    w.writeTextElement("offset", QString::number(offset, 'f', 6));
    w.writeTextElement("phase", QString::number(phase, 'f', 6));
    w.writeEndElement();
}

bool lib_xml_t::read_bin_info(const QString &path, lib_bin_info_t &info)
{
    if (path.isEmpty())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QXmlStreamReader r(&f);
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        QStringRef n = r.name();
        float *field = n == "freq" ? &info.freq : n == "amp" ? &info.amp : n == "offset" ? &info.offset
                                                                : n == "phase" ? &info.phase : nullptr;
        if (field)
            *field = r.readElementText().toFloat();
    }
    return true;
}
