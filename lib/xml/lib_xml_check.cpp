#include "lib_xml_check.h"

#include <QXmlStreamReader>
#include <algorithm>

bool lib_xml_read_items(const QByteArray &xml, std::vector<lib_xml_item_t> &items)
{
    items.clear();
    QXmlStreamReader reader(xml);
    std::vector<std::size_t> open;
    bool after_start = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (!open.empty())
                items[open.back()].leaf = false;
            lib_xml_item_t item;
            item.depth = static_cast<int>(open.size());
            item.name = reader.name().toString();
            item.container = reader.attributes().hasAttribute("no_value");
            items.push_back(item);
            open.push_back(items.size() - 1);
            after_start = true;
            continue;
        }
        case QXmlStreamReader::Characters:
            if (!open.empty()) {
                lib_xml_item_t &item = items[open.back()];
                item.text += reader.text();
                if (after_start)
                    item.first_piece = reader.text().toString();
            }
            break;
        case QXmlStreamReader::EndElement:
            if (!open.empty())
                open.pop_back();
            break;
        default:
            break;
        }
        after_start = false;
    }
    if (reader.hasError())
        return false;
    for (lib_xml_item_t &item : items)
        if (!item.leaf)
            item.text.clear();
    return true;
}

std::vector<lib_xml_item_t> lib_xml_expected_items(std::vector<lib_xml_item_t> items, lib_xml_edit_t edit,
                                                   const QString &parent, const QString &name, const QString &text)
{
    std::vector<lib_xml_item_t> out;
    out.reserve(items.size() + 1);
    for (lib_xml_item_t &item : items) {
        const bool text_element = !item.container;
        switch (edit) {
        case lib_xml_edit_t::add:
            out.push_back(item);
            if (item.container && item.name == parent) {
                lib_xml_item_t added;
                added.depth = item.depth + 1;
                added.name = name;
                added.text = text;
                out.push_back(added);
            }
            continue;
        case lib_xml_edit_t::set:
            // The copy keeps only the first piece of the other texts.
            if (text_element)
                item.text = item.name == name ? text : item.first_piece;
            break;
        case lib_xml_edit_t::remove:
            if (text_element && item.name == name)
                continue;
            break;
        case lib_xml_edit_t::remove_by_content:
            if (text_element && item.text == text)
                continue;
            break;
        }
        out.push_back(item);
    }
    // A container left without children by a removal is a leaf now.
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i].leaf = i + 1 == out.size() || out[i + 1].depth <= out[i].depth;
    return out;
}

bool lib_xml_same_items(const std::vector<lib_xml_item_t> &a, const std::vector<lib_xml_item_t> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const lib_xml_item_t &x, const lib_xml_item_t &y) {
        if (x.depth != y.depth || x.name != y.name || x.container != y.container || x.leaf != y.leaf)
            return false;
        // A container's character data is only layout.
        return x.container || !x.leaf || x.text == y.text;
    });
}
