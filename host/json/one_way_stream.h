// Member streams that go one way: a writing stream refuses every read and a
// reading stream every write, each through one function of its own.
#pragma once

#include "host/framework/member_rw_interface.h"

namespace ds_json {

class writing_member_stream : public member_rw_interface {
public:
    bool is_storing() const final { return true; }
    void read(const CString& key, int&) final { refuse_read(key); }
    void read(const CString& key, double&) final { refuse_read(key); }
    void read(const CString& key, bool&) final { refuse_read(key); }
    void read(const CString& key, CString&) final { refuse_read(key); }

protected:
    /// Throws: a read on a writing stream is misuse.
    [[noreturn]] virtual void refuse_read(const CString& key) const = 0;
};

class reading_member_stream : public member_rw_interface {
public:
    bool is_storing() const final { return false; }
    void write(const CString& key, int) final { refuse_write(key); }
    void write(const CString& key, double) final { refuse_write(key); }
    void write(const CString& key, bool) final { refuse_write(key); }
    void write(const CString& key, const CString&) final { refuse_write(key); }

protected:
    /// Throws: a write on a reading stream is misuse.
    [[noreturn]] virtual void refuse_write(const CString& key) const = 0;
};

}  // namespace ds_json
