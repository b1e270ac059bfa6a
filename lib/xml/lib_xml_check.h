#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

// The read-back check of configuration edits: an edit keeps the new copy only when it
// holds exactly what the edit meant to leave, element by element.

enum class lib_xml_edit_t { add, set, remove, remove_by_content };

// One element of an XML text, in document order.
struct lib_xml_item_t
{
    int depth = 0;
    QString name;
    bool container = false; // carries the attribute "no_value"
    bool leaf = true;       // has no child elements
    QString text;           // all its character data (leaves only)
    QString first_piece;    // the character data right after its start tag
};

// False when the text is no well-formed XML.
bool lib_xml_read_items(const QByteArray &xml, std::vector<lib_xml_item_t> &items);

// What the copy of an edit must hold: the source's elements with the edit applied the
// way the copy makes it (`parent` for add_node, `name` and `text` as the edit got them).
std::vector<lib_xml_item_t> lib_xml_expected_items(std::vector<lib_xml_item_t> items, lib_xml_edit_t edit,
                                                   const QString &parent, const QString &name, const QString &text);

// Same elements, nesting, kinds and texts of leaves.
bool lib_xml_same_items(const std::vector<lib_xml_item_t> &a, const std::vector<lib_xml_item_t> &b);
