// A member sink that builds the members into a JSON object.
#pragma once

#include <vector>

#include "host/json/json_members.h"
#include "host/json/member_sink.h"

namespace ds_json {

class json_document_builder : public member_sink {
public:
    json_document_builder() { m_frames.emplace_back(); }

    void object_begin(const member_key& key, int kind) override;
    void object_end() override;
    void value(const member_key& key, const member_value& value) override;

    /// The top object with the members built since the last take(); they are moved out.
    nlohmann::ordered_json take();

private:
    struct frame {
        object_members members;
        std::string key;
    };
    std::vector<frame> m_frames;
};

}  // namespace ds_json
