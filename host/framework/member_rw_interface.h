// member_rw_interface: the stream handed to every serialize_members. A record
// writes or reads its members by key; nesting is expressed with marks.
#pragma once

#include "host/afx/cstring.h"

/// Mark kinds passed to member_rw_interface::mark.
enum x_member_mark : int {
    x_mark_object_begin = 0,
    x_mark_object_end = 1,
    x_mark_list_begin = 2,
    x_mark_list_end = 3,
};

class member_rw_interface {
public:
    virtual ~member_rw_interface() = default;

    /// True while the stream is being written, false while it is read.
    virtual bool is_storing() const = 0;

    virtual void write(const CString& key, int value) = 0;
    virtual void write(const CString& key, double value) = 0;
    virtual void write(const CString& key, bool value) = 0;
    virtual void write(const CString& key, const CString& value) = 0;

    /// A read whose key is missing or holds another type leaves `value` unchanged.
    virtual void read(const CString& key, int& value) = 0;
    virtual void read(const CString& key, double& value) = 0;
    virtual void read(const CString& key, bool& value) = 0;
    virtual void read(const CString& key, CString& value) = 0;

    /// One call in both directions: kind is an x_member_mark value.
    virtual void mark(const CString& key, int kind) = 0;

    /// The serialization guard announces the record it runs for.
    virtual void push_guard_tag(const CString& tag) = 0;
    virtual void pop_guard_tag() = 0;

    // Convenience for symmetric code: write when storing, read otherwise.
    template <class T>
    void serialize(const CString& key, T& value)
    {
        if (is_storing()) write(key, static_cast<const T&>(value));
        else read(key, value);
    }
};
