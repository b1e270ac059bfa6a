#pragma once
#include "lib_xml.h"

// The configuration accessor of the instrument tree: lists only the children whose
// names contain the key.
class ui_comm_tree_xml_t : public lib_xml_t
{
public:
    ui_comm_tree_xml_t();

    // The children of the container `parent` whose names contain `key` (an empty key
    // matches none), from name to text in name order; empty when the file cannot be
    // read or parsed.
    QMap<QString, QString> get_all_child_node_by_parent(const QString &path, const QString &parent,
                                                        const QString &key) override;
};
