#include "ui_comm_tree_xml.h"

namespace {

bool name_has_key(const QString &name, const QString &key) { return !key.isEmpty() && name.contains(key); }

} // namespace

ui_comm_tree_xml_t::ui_comm_tree_xml_t() : lib_xml_t() {}

QMap<QString, QString> ui_comm_tree_xml_t::get_all_child_node_by_parent(const QString &path, const QString &parent,
                                                                        const QString &key)
{
    return collect_children(path, parent, name_has_key, key);
}
