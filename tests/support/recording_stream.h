// recording_stream: a writing member stream for tests that logs every value
// and mark with the guard tags open at that moment, so a test can check entry
// order, tags and versions exactly; and read_back, which reads a record from a
// log written by hand (an old-version layout, a damaged entry).
#pragma once

#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/core/project/stored_document.h"
#include "host/json/json_read_stream.h"
#include "host/json/json_write_stream.h"

namespace ds_test {

using entry_value = std::variant<std::monostate, int, double, bool, CString>;

/// One value or mark written to the stream.
struct stream_entry {
    CString key;
    entry_value value;          ///< monostate for a mark
    int mark_kind = -1;         ///< x_member_mark of a mark, -1 for a value
    std::vector<CString> tags;  ///< guard tags open during the call, outermost first
};

// Entries for hand-made logs.
stream_entry value_entry(const CString& key, int value);
stream_entry value_entry(const CString& key, double value);
stream_entry value_entry(const CString& key, const char* value);
stream_entry begin_object(const CString& key);
stream_entry end_object(const CString& key);
stream_entry begin_list(const CString& key);
stream_entry end_list(const CString& key);

/// The JSON a ds_json::json_write_stream makes of `entries`.
nlohmann::ordered_json json_of(const std::vector<stream_entry>& entries);

/// Records the calls and writes them through a ds_json::json_write_stream, so the
/// protocol is checked as strictly as when saving (a key twice in one object
/// throws ds_json::stream_error).
class recording_stream : public member_rw_interface {
public:
    bool is_storing() const override { return true; }

    void write(const CString& key, int value) override { record(key, value); }
    void write(const CString& key, double value) override { record(key, value); }
    void write(const CString& key, bool value) override { record(key, value); }
    void write(const CString& key, const CString& value) override { record(key, value); }
    void read(const CString& key, int& value) override { m_writer.read(key, value); }
    void read(const CString& key, double& value) override { m_writer.read(key, value); }
    void read(const CString& key, bool& value) override { m_writer.read(key, value); }
    void read(const CString& key, CString& value) override { m_writer.read(key, value); }

    void mark(const CString& key, int kind) override;
    void push_guard_tag(const CString& tag) override;
    void pop_guard_tag() override;

    const std::vector<stream_entry>& entries() const { return m_entries; }

    // The texts below are narrow (GBK in a GCC build), like CString and like
    // the string literals a test compares them with.

    /// Keys of the entries in call order; marks appear as "key{" "}key"
    /// (object) and "key[" "]key" (list).
    std::vector<std::string> keys() const;
    /// As keys(), with values: "version=1", "m_strQF=左幅", "m_dWid=560", "flag=true".
    std::vector<std::string> key_values() const;
    /// The guard tags of an entry joined by "/".
    static std::string tag_path(const stream_entry& entry);
    /// The first value entry under `key` (any depth); throws std::out_of_range when there is none.
    const stream_entry& find(const CString& key) const;
    /// The JSON written; throws ds_json::stream_error while a mark or guard tag is left open.
    const nlohmann::ordered_json& json() const
    {
        m_writer.finish();
        return m_document.document();
    }

private:
    void record(const CString& key, entry_value value);

    ds_app::document_sink m_document;
    ds_json::json_write_stream m_writer{{&m_document}};
    std::vector<CString> m_tags;
    std::vector<stream_entry> m_entries;
};

/// `record` after it has read itself from the JSON of `entries`.
template <class Record>
Record read_back(const std::vector<stream_entry>& entries, Record record = {})
{
    ds_json::json_read_stream reader(ds_app::flat_tree_of(json_of(entries)));
    record.serialize_members(reader);
    return record;
}

}  // namespace ds_test
