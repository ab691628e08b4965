// recording_stream: a member stream for tests that logs every call (key, value,
// mark, the guard tags open at that moment), so a test can check
// entry order, tags and versions exactly, and can read a record back from a
// log, recorded or made by hand (an old-version layout, a damaged entry).
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/framework/json_stream.h"

namespace ds_test {

enum class entry_kind { value, mark, push_tag, pop_tag };
using entry_value = std::variant<std::monostate, int, double, bool, CString>;

/// One call on the stream.
struct stream_entry {
    entry_kind kind = entry_kind::value;
    CString key;                ///< value and mark key; the tag of a push_tag
    entry_value value;          ///< written value, or the target's value after a read
    int mark_kind = -1;         ///< x_member_mark of a mark
    std::vector<CString> tags;  ///< guard tags open during the call, outermost first
};

// Entries for hand-made logs; replayed in order by a reading recording_stream.
stream_entry value_entry(const CString& key, int value);
stream_entry value_entry(const CString& key, double value);
stream_entry value_entry(const CString& key, bool value);
stream_entry value_entry(const CString& key, const CString& value);
stream_entry value_entry(const CString& key, const char* value);
stream_entry begin_object(const CString& key);
stream_entry end_object(const CString& key);
stream_entry begin_list(const CString& key);
stream_entry end_list(const CString& key);

/// Calls write/mark/push/pop on `target` for every entry, whatever its direction.
void replay(const std::vector<stream_entry>& entries, member_rw_interface& target);

/// Records calls. A writing recording_stream also writes them through a
/// json_write_stream, so the protocol is checked as strictly as when saving (a
/// key twice in one object throws ds_stream_error). A reading one serves the
/// reads from a json_read_stream over the given log or JSON.
class recording_stream : public member_rw_interface {
public:
    /// A writing stream.
    recording_stream();
    /// A reading stream over the JSON that replaying `source` produces.
    explicit recording_stream(const std::vector<stream_entry>& source);
    /// A reading stream over `document`.
    explicit recording_stream(nlohmann::ordered_json document);

    bool is_storing() const override { return m_writer != nullptr; }

    void write(const CString& key, int value) override;
    void write(const CString& key, double value) override;
    void write(const CString& key, bool value) override;
    void write(const CString& key, const CString& value) override;

    void read(const CString& key, int& value) override;
    void read(const CString& key, double& value) override;
    void read(const CString& key, bool& value) override;
    void read(const CString& key, CString& value) override;

    void mark(const CString& key, int kind) override;
    void push_guard_tag(const CString& tag) override;
    void pop_guard_tag() override;

    const std::vector<stream_entry>& entries() const { return m_entries; }

    // The texts below are narrow (GBK in a GCC build), like CString and like
    // the string literals a test compares them with.

    /// Keys of the value and mark entries in call order; marks appear as
    /// "key{" "}key" (object) and "key[" "]key" (list).
    std::vector<std::string> keys() const;
    /// As keys(), with values: "version=1", "m_strQF=左幅", "m_dWid=560", "flag=true".
    std::vector<std::string> key_values() const;
    /// How key_values() shows one entry.
    static std::string describe(const stream_entry& entry);
    /// The guard tags of an entry joined by "/".
    static std::string tag_path(const stream_entry& entry);
    /// The first value entry under `key` (any depth); throws std::out_of_range when there is none.
    const stream_entry& find(const CString& key) const;

    /// Writing: the JSON written so far. Reading: the JSON being read.
    const nlohmann::ordered_json& json() const;
    /// Reading: the diagnostics of the underlying json_read_stream (empty when writing).
    const std::vector<stream_diagnostic>& diagnostics() const;

private:
    template <class T>
    void record_write(const CString& key, const T& value);
    template <class T>
    void record_read(const CString& key, T& value);
    stream_entry make(entry_kind kind, const CString& key) const;

    std::unique_ptr<json_write_stream> m_writer;
    std::unique_ptr<json_read_stream> m_reader;
    nlohmann::ordered_json m_source;  ///< what m_reader reads, kept for json()
    std::vector<CString> m_tags;
    std::vector<stream_entry> m_entries;
};

/// `record` after it has read itself from a reading stream over `entries`.
template <class Record>
Record read_back(const std::vector<stream_entry>& entries, Record record = {})
{
    recording_stream reader(entries);
    record.serialize_members(reader);
    return record;
}

}  // namespace ds_test
