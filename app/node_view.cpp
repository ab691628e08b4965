#include "app/node_view.h"

#include "host/framework/json_stream.h"
#include "host/text/encoding.h"

namespace ds_app {

std::string members_text(data_node_base& node)
{
    json_write_stream stream;
    node.serialize_members(stream);
    return stream.text(2);
}

std::string node_heading(const data_node_base& node)
{
    return std::string(node.GetRuntimeClass()->m_lpszClassName) + "  tag=" +
           ds_text::to_utf8_for_display(node.get_node_tag()) + "  name=" +
           ds_text::to_utf8_for_display(node.get_node_name());
}

}  // namespace ds_app
