// SHA-256 through OpenSSL's message digest interface.
#include "host/json/text_digest.h"

#include <stdexcept>

#include <openssl/evp.h>

namespace ds_digest {

struct text_digest::context {
    EVP_MD_CTX* md = EVP_MD_CTX_new();
    ~context() { EVP_MD_CTX_free(md); }
};

text_digest::text_digest() : m_context(std::make_unique<context>())
{
    if (!m_context->md || EVP_DigestInit_ex(m_context->md, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("cannot start a SHA-256 digest");
}

text_digest::~text_digest() = default;

void text_digest::add(std::string_view piece)
{
    if (EVP_DigestUpdate(m_context->md, piece.data(), piece.size()) != 1)
        throw std::runtime_error("cannot compute a SHA-256 digest");
}

digest text_digest::finish()
{
    digest result{};
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(m_context->md, result.data(), &size) != 1 || size != result.size())
        throw std::runtime_error("cannot compute a SHA-256 digest");
    return result;
}

digest text_digest::finish_and_restart()
{
    const digest result = finish();
    if (EVP_DigestInit_ex(m_context->md, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("cannot start a SHA-256 digest");
    return result;
}

}  // namespace ds_digest
