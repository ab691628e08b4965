// guarded_server: cpp-httplib's server with the limits a server facing slow
// or greedy clients needs, which the library leaves out.
//
// The library waits for each read of a connection up to its read timeout, so
// a client that dribbles one header byte at a time holds a worker for as long
// as it likes; a dozen such clients hold them all. Here every connection is
// read through a stream of our own that gives a request's headers one
// deadline in all and its body another, counts the body's bytes as they
// arrive (a chunked body included) and gives up at the size limit. Workers
// are many, connections are capped per client and in all, and the listening
// socket's backlog holds a burst of clients.
#pragma once

#include <httplib.h>

#include <atomic>
// std::chrono comes with <condition_variable>: <chrono> itself does not compile
// with the GBK execution charset (a "µs" literal of its formatting part).
#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>

namespace ds_app {

/// The limits of a guarded server. The defaults suit a local page: a browser
/// sends its headers at once and opens a handful of connections.
struct server_limits {
    /// From a connection's first byte (or the end of its last request) to the end of the next request's headers.
    std::chrono::milliseconds header_deadline{10'000};
    /// From the end of the headers to the end of the body.
    std::chrono::milliseconds body_deadline{60'000};
    /// Largest body, counted as it arrives; a larger one is refused with 413.
    std::size_t max_body_bytes = 16u << 20;
    /// Threads serving connections.
    std::size_t workers = 64;
    /// Connections one client (address) may have served at once; one more waits
    /// `admission_wait` for a place, then is answered 503.
    std::size_t per_client = 48;
    std::chrono::milliseconds admission_wait{2'000};
    /// Connections accepted and not yet closed, in all; one more is answered 503 at once.
    std::size_t in_all = 1024;
    /// Pending connections the system holds before the server accepts them.
    int backlog = 1024;
    /// Requests one connection may make, and how long it may sit idle between them.
    std::size_t keep_alive_requests = 100;
    std::chrono::milliseconds keep_alive_idle{1'000};
    /// Longest wait for the client to take a piece of the answer.
    std::chrono::milliseconds write_timeout{10'000};
};

class guarded_server : public httplib::Server {
public:
    explicit guarded_server(server_limits limits = {});

    const server_limits& limits() const { return m_limits; }

    /// Binds as the library does, then widens the listening socket's backlog.
    bool bind_guarded(const std::string& host, int port);
    /// The port bound, or -1.
    int bind_guarded_any(const std::string& host);

    /// Called by the pre-routing handler of the request being served on this
    /// thread: its headers are read, the body's deadline and count start now.
    static void headers_done();
    /// The answer being made on this thread is the connection's last: it is
    /// closed once the answer is sent (a request refused before its body was read).
    static void close_after_answer();
    /// True when the request served on this thread was cut off because its
    /// body passed `max_body_bytes` (the error handler answers 413 then).
    static bool body_too_large();

private:
    bool process_and_close_socket(socket_t sock) override;
    void widen_backlog();

    /// Takes a place for a connection from `client`; false when none came free in time.
    bool admit(const std::string& client);
    void leave(const std::string& client);

    server_limits m_limits;
    /// Connections accepted and waiting for a worker.
    std::atomic<std::size_t> m_queued{0};
    std::mutex m_mutex;
    std::condition_variable m_freed;
    std::map<std::string, std::size_t> m_per_client;
    std::size_t m_open = 0;
};

}  // namespace ds_app
