// SHA-256 of a text given in pieces: lets a program tell whether a long text
// changed without keeping a copy of it.
#pragma once

#include <array>
#include <memory>
#include <string_view>

namespace ds_digest {

/// A SHA-256 digest. Two texts with equal digests are taken to be equal: no
/// two different texts with the same SHA-256 are known.
using digest = std::array<unsigned char, 32>;

class text_digest {
public:
    text_digest();
    ~text_digest();
    text_digest(const text_digest&) = delete;
    text_digest& operator=(const text_digest&) = delete;

    void add(std::string_view piece);
    /// The digest of the pieces added; the object is spent afterwards.
    digest finish();
    /// finish(), and the object starts a new digest.
    digest finish_and_restart();

private:
    struct context;
    std::unique_ptr<context> m_context;
};

}  // namespace ds_digest
