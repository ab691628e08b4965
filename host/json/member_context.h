// Where a member stream is while a value passes: the keys of the objects open
// around it. The loader's limits tell fields that share a key apart by them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "host/json/member_sink.h"

namespace ds_json {

class member_context {
public:
    /// Key of the innermost open object; empty at the top.
    const std::string& open_key() const { return open_key_above(0); }
    /// Key of the open object `levels` above the innermost one; empty above the top.
    virtual const std::string& open_key_above(std::size_t levels) const = 0;
    /// Keys of the open objects, outermost first, joined by '/'; empty at the top.
    virtual std::string open_path() const = 0;

protected:
    ~member_context() = default;
};

/// Sees each value as a stream passes it: where the stream is, the value's key
/// (UTF-8) and the value.
using value_observer = std::function<void(const member_context&, const std::string& key, const member_value& value)>;

}  // namespace ds_json
