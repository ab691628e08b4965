// Builds a JSON document from a parser's events, whichever parser reads the
// text: members gathered apart, repeats and deep nesting refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/json/json_flat_tree.h"
#include "host/json/json_members.h"
#include "host/json/json_text.h"

namespace ds_json {

/// Places each value once it is complete, so that building stays linear in
/// the length of long lists (see json_members.h). The elements of the
/// streamed array, if any, go to its receiver instead of the document.
class document_builder {
public:
    /// `streamed` may be null; it must outlive the builder.
    explicit document_builder(const streamed_array* streamed) : m_streamed(streamed) {}

    /// Stores a complete scalar value, or a string, where the parser is.
    void add(nlohmann::ordered_json&& value);
    /// add() for each kind of value, without making a JSON value first.
    void add_text(std::string_view text);
    void add_integer(std::int64_t value);
    void add_unsigned(std::uint64_t value);
    void add_real(double value);
    void add_bool(bool value);
    void add_null();
    /// The key of the next value; false (nothing kept) when the open object already has it.
    bool key(std::string&& key);
    /// Opens an object or an array; false when that would nest deeper than max_depth.
    bool open(bool is_array);
    /// Closes the innermost open object or array and places it in its parent.
    void close();

    /// Elements handed to the streamed array's receiver so far.
    std::size_t handed_out() const { return m_handed_out; }
    /// The document, once the parser has closed its top value.
    nlohmann::ordered_json take() { return std::move(m_root); }

private:
    /// One open object or array of the document being built.
    struct open_value {
        bool is_array;
        nlohmann::ordered_json items;  ///< the array's elements so far
        object_members members;        ///< the object's members so far
        std::string key;               ///< where the value goes in its parent object
        bool streamed = false;         ///< elements go to the streamed array's receiver
    };

    void place(nlohmann::ordered_json&& value, std::string&& key);
    /// True while values go to the streamed array's element being built.
    bool in_element() const { return m_element.depth() > 0 || (!m_open.empty() && m_open.back().streamed); }
    /// After a value went to the element: hands the element out once it is complete.
    void element_value_done();
    /// A value of one kind: into the element through `flat`, or into the document.
    template <class T>
    void add_value(T value, void (flat_tree::*flat)(T));
    /// An empty member list that kept its room from an object already closed:
    /// most objects of a file are alike, so few need to grow their own.
    object_members spare_members();

    const streamed_array* m_streamed;
    std::size_t m_handed_out = 0;
    nlohmann::ordered_json m_root;
    std::vector<open_value> m_open;
    std::vector<object_members> m_spare;  ///< member lists of closed objects, emptied
    std::string m_key;
    flat_tree m_element;  ///< the streamed array's element being built, refilled for each
};

}  // namespace ds_json
