// guarded_server: deadlines, body counting, connection caps and the backlog.
#include "app/serve/guarded_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <limits>

namespace ds_app {

namespace {

using clock_type = std::chrono::steady_clock;

/// Waits until `fd` is ready for `events` or `until` passes; false on time-out or error.
bool wait_ready(int fd, short events, clock_type::time_point until)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - clock_type::now()).count();
        if (left <= 0) return false;
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, std::numeric_limits<int>::max())));
        if (ready > 0) return true;
        if (ready == 0) return false;
        if (errno != EINTR) return false;
    }
}

std::string address_text(const sockaddr_storage& address, int& port)
{
    char text[INET6_ADDRSTRLEN] = "";
    port = 0;
    if (address.ss_family == AF_INET) {
        const auto& in = reinterpret_cast<const sockaddr_in&>(address);
        ::inet_ntop(AF_INET, &in.sin_addr, text, sizeof text);
        port = ntohs(in.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& in6 = reinterpret_cast<const sockaddr_in6&>(address);
        ::inet_ntop(AF_INET6, &in6.sin6_addr, text, sizeof text);
        port = ntohs(in6.sin6_port);
    }
    return text;
}

std::string peer_of(int fd, int& port)
{
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) return port = 0, "";
    return address_text(address, port);
}

/// One connection as the library reads and writes it, with the deadlines
/// and the body count of the request in progress.
class deadline_stream final : public httplib::Stream {
public:
    deadline_stream(int fd, const server_limits& limits) : m_fd(fd), m_limits(limits) {}

    /// A request starts: its headers must be in by the header deadline.
    void start_request()
    {
        m_deadline = clock_type::now() + m_limits.header_deadline;
        m_counting = false;
        m_body_bytes = 0;
        m_too_large = false;
        m_last = false;
    }
    void headers_done()
    {
        m_deadline = clock_type::now() + m_limits.body_deadline;
        m_counting = true;
    }
    bool too_large() const { return m_too_large; }
    void close_after_answer() { m_last = true; }
    bool last() const { return m_last || m_too_large; }
    bool wait_for_next(std::chrono::milliseconds idle) const
    {
        return wait_ready(m_fd, POLLIN, clock_type::now() + idle);
    }

    bool is_readable() const override { return wait_ready(m_fd, POLLIN, m_deadline); }
    bool is_writable() const override
    {
        return wait_ready(m_fd, POLLOUT, clock_type::now() + m_limits.write_timeout);
    }

    ssize_t read(char* ptr, size_t size) override
    {
        if (m_counting) {
            // The headers, chunk lines included, are small beside the body: a
            // little room over the limit keeps a body of exactly the limit whole.
            const std::size_t room = m_limits.max_body_bytes + 64 * 1024;
            if (m_body_bytes >= room) {
                m_too_large = true;
                return -1;
            }
            size = std::min(size, room - m_body_bytes);
        }
        if (!is_readable()) return -1;
        ssize_t got;
        do got = ::recv(m_fd, ptr, size, 0);
        while (got < 0 && errno == EINTR);
        if (got > 0 && m_counting) m_body_bytes += static_cast<std::size_t>(got);
        return got;
    }

    ssize_t write(const char* ptr, size_t size) override
    {
        if (!is_writable()) return -1;
        ssize_t sent;
        do sent = ::send(m_fd, ptr, size, MSG_NOSIGNAL);
        while (sent < 0 && errno == EINTR);
        return sent;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override { ip = peer_of(m_fd, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override
    {
        sockaddr_storage address{};
        socklen_t size = sizeof address;
        if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) ip = address_text(address, port);
    }
    socket_t socket() const override { return m_fd; }

private:
    int m_fd;
    const server_limits& m_limits;
    clock_type::time_point m_deadline = clock_type::now();
    bool m_counting = false;
    std::size_t m_body_bytes = 0;
    bool m_too_large = false;
    bool m_last = false;
};

/// The connection this worker thread serves, for the route handlers' calls.
thread_local deadline_stream* current_stream = nullptr;

/// The library's thread pool, counting the connections that wait for a worker.
class counting_pool final : public httplib::TaskQueue {
public:
    counting_pool(std::size_t workers, std::atomic<std::size_t>& queued) : m_pool(workers), m_queued(queued) {}
    void enqueue(std::function<void()> fn) override
    {
        ++m_queued;
        m_pool.enqueue([this, fn = std::move(fn)] {
            --m_queued;
            fn();
        });
    }
    void shutdown() override { m_pool.shutdown(); }

private:
    httplib::ThreadPool m_pool;
    std::atomic<std::size_t>& m_queued;
};

/// After an answer given before the body was read (413): closing at once with
/// the rest of the body unread would reset the connection and could lose the
/// answer at the client, so the server stops writing and reads on a moment.
void drain(int fd)
{
    ::shutdown(fd, SHUT_WR);
    const auto until = clock_type::now() + std::chrono::seconds(1);
    char sink[16384];
    while (wait_ready(fd, POLLIN, until) && ::recv(fd, sink, sizeof sink, 0) > 0) {
    }
}

void refuse_busy(int fd)
{
    static const char answer[] =
        "HTTP/1.1 503 Service Unavailable\r\nConnection: close\r\nRetry-After: 1\r\nContent-Length: 0\r\n\r\n";
    (void)::send(fd, answer, sizeof answer - 1, MSG_NOSIGNAL);
}

}  // namespace

guarded_server::guarded_server(server_limits limits) : m_limits(limits)
{
    new_task_queue = [this] { return new counting_pool(m_limits.workers, m_queued); };
    set_payload_max_length(m_limits.max_body_bytes);
    set_keep_alive_max_count(m_limits.keep_alive_requests);
}

bool guarded_server::bind_guarded(const std::string& host, int port)
{
    if (!bind_to_port(host, port)) return false;
    widen_backlog();
    return true;
}

int guarded_server::bind_guarded_any(const std::string& host)
{
    const int port = bind_to_any_port(host);
    if (port > 0) widen_backlog();
    return port;
}

void guarded_server::widen_backlog()
{
    // The library listens with a backlog of 5; listening again on the bound
    // socket changes only the backlog.
    ::listen(svr_sock_, m_limits.backlog);
}

void guarded_server::headers_done()
{
    if (current_stream) current_stream->headers_done();
}

void guarded_server::close_after_answer()
{
    if (current_stream) current_stream->close_after_answer();
}

bool guarded_server::body_too_large() { return current_stream && current_stream->too_large(); }

bool guarded_server::admit(const std::string& client)
{
    std::unique_lock<std::mutex> hold(m_mutex);
    if (m_open + m_queued >= m_limits.in_all) return false;
    const bool placed = m_freed.wait_for(hold, m_limits.admission_wait,
                                         [&] { return m_per_client[client] < m_limits.per_client; });
    if (!placed) return false;
    ++m_per_client[client];
    ++m_open;
    return true;
}

void guarded_server::leave(const std::string& client)
{
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        if (--m_per_client[client] == 0) m_per_client.erase(client);
        --m_open;
    }
    m_freed.notify_all();
}

bool guarded_server::process_and_close_socket(socket_t sock)
{
    int port = 0;
    const std::string client = peer_of(sock, port);
    bool served = false;
    if (!admit(client)) {
        refuse_busy(sock);
    } else {
        deadline_stream stream(sock, m_limits);
        current_stream = &stream;
        for (std::size_t left = m_limits.keep_alive_requests; left > 0 && svr_sock_ != INVALID_SOCKET; --left) {
            // The first request's wait counts against its header deadline; a
            // connection kept alive may idle a little before its next one.
            if (left != m_limits.keep_alive_requests && !stream.wait_for_next(m_limits.keep_alive_idle)) break;
            stream.start_request();
            bool closed = false;
            served = process_request(stream, left == 1, closed, nullptr);
            if (!served || closed || stream.last()) break;
        }
        current_stream = nullptr;
        leave(client);
        if (stream.last()) drain(sock);
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return served;
}

}  // namespace ds_app
