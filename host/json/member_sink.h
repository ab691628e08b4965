// What a writing member stream produces, member by member, and the places it
// can go: a project file's text, a document, a digest, or several at once.
#pragma once

#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace ds_json {

/// One stored value as a member stream sees it: its kind and value, and for
/// text both forms, GBK as the record holds it and UTF-8 as the file stores it.
struct member_value {
    enum class kind { integer, real, boolean, text };
    kind type = kind::integer;
    int integer = 0;
    double real = 0;
    bool boolean = false;
    std::string_view narrow;  ///< text only
    std::string_view utf8;    ///< text only

    static member_value of(int v) { return {kind::integer, v, 0, false, {}, {}}; }
    static member_value of(double v) { return {kind::real, 0, v, false, {}, {}}; }
    static member_value of(bool v) { return {kind::boolean, 0, 0, v, {}, {}}; }
    static member_value of_text(std::string_view narrow, std::string_view utf8)
    {
        return {kind::text, 0, 0, false, narrow, utf8};
    }

    /// The value as a JSON value.
    nlohmann::ordered_json json() const;
};

/// A member's key in both forms, as member_value holds text.
struct member_key {
    std::string_view narrow;
    std::string_view utf8;
};

/// Receives the members of one object tree in order. A writing stream has
/// refused misuse (repeated keys, unmatched marks, values JSON cannot hold)
/// before a sink sees anything.
class member_sink {
public:
    virtual ~member_sink() = default;
    /// A nested object under `key`, opened by a mark of `kind`.
    virtual void object_begin(const member_key& key, int kind) = 0;
    /// The end of the innermost nested object.
    virtual void object_end() = 0;
    virtual void value(const member_key& key, const member_value& value) = 0;
};

/// Passes every member on to each of several sinks, in order.
class member_tee : public member_sink {
public:
    explicit member_tee(std::vector<member_sink*> sinks) : m_sinks(std::move(sinks)) {}
    void object_begin(const member_key& key, int kind) override
    {
        for (auto* s : m_sinks) s->object_begin(key, kind);
    }
    void object_end() override
    {
        for (auto* s : m_sinks) s->object_end();
    }
    void value(const member_key& key, const member_value& v) override
    {
        for (auto* s : m_sinks) s->value(key, v);
    }

private:
    std::vector<member_sink*> m_sinks;
};

}  // namespace ds_json
