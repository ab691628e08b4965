// A record's members as a JSON document: the form in which the steps and the
// page look into a drawing and change it. A sink of a writing member stream
// makes it; held flat, a reading member stream reads it back.
#pragma once

#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/json/json_flat_tree.h"
#include "host/json/member_stream.h"

class data_node_base;

namespace ds_app {

/// Builds the document of the members a writing stream hands over.
class document_sink : public ds_json::member_sink {
public:
    document_sink() = default;
    document_sink(const document_sink&) = delete;  // it points into its own document
    document_sink& operator=(const document_sink&) = delete;
    void object_begin(const ds_json::member_key& key, int kind) override;
    void object_end() override { m_open.pop_back(); }
    void value(const ds_json::member_key& key, const ds_json::member_value& value) override;
    /// The object written so far.
    nlohmann::ordered_json& document() { return m_document; }
    const nlohmann::ordered_json& document() const { return m_document; }

private:
    nlohmann::ordered_json& add(std::string_view key, nlohmann::ordered_json value);

    nlohmann::ordered_json m_document = nlohmann::ordered_json::object();
    std::vector<nlohmann::ordered_json*> m_open{&m_document};  ///< the objects open, innermost last
};

/// The members `record` writes, as a document. Throws ds_json::stream_error as a save would.
nlohmann::ordered_json members_document(const data_node_base& record);

/// `document` held flat, to be read by a ds_json::json_read_stream.
ds_json::flat_tree flat_tree_of(const nlohmann::ordered_json& document);

}  // namespace ds_app
