// JSON text handed to a receiver in parts of a bounded size, so that a long
// text never stands in memory whole.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace ds_json {

/// Values are laid out as dump_text lays them out with an indent of 2.
class piece_writer {
public:
    explicit piece_writer(std::function<void(std::string_view)> piece);
    ~piece_writer();
    piece_writer(const piece_writer&) = delete;
    piece_writer& operator=(const piece_writer&) = delete;

    /// Text as it stands (punctuation, line breaks).
    void raw(std::string_view text)
    {
        m_part.append(text);
        if (m_part.size() >= part_size) flush();
    }
    /// `text` between double quotes, as it stands.
    void quoted(std::string_view text)
    {
        m_part.push_back('"');
        m_part.append(text);
        m_part.push_back('"');
        if (m_part.size() >= part_size) flush();
    }
    /// `count` spaces.
    void spaces(std::size_t count)
    {
        m_part.append(count, ' ');
        if (m_part.size() >= part_size) flush();
    }
    /// `value` with every line after its first indented by `offset` more
    /// spaces, as it would be laid out nested `offset` spaces deep. Throws as
    /// dump_text does.
    void value(const nlohmann::ordered_json& value, unsigned offset = 0);
    /// Hands over what is still held. Call after the last write.
    void flush();

private:
    static constexpr std::size_t part_size = 256 * 1024;
    class output;
    class layout;
    std::function<void(std::string_view)> m_piece;
    std::string m_part;
    std::unique_ptr<layout> m_layout;  ///< the library's serializer, made once: making one asks for the locale
};

}  // namespace ds_json
