// The local server's page, built into ds-host from app/web (see
// cmake/web_assets.cmake): the only files the server ever sends that are not
// made from the project.
#pragma once

#include <span>
#include <string_view>

namespace ds_app {

struct web_asset {
    std::string_view name;          ///< file name under app/web, e.g. "serve.js"
    std::string_view content_type;
    std::string_view bytes;
};

/// Every built-in file, in name order.
std::span<const web_asset> web_assets();

/// The built-in file named `name`, or null. Names are looked up in this table
/// only; a request's path never reaches the file system.
inline const web_asset* find_web_asset(std::string_view name)
{
    for (const web_asset& asset : web_assets())
        if (asset.name == name) return &asset;
    return nullptr;
}

}  // namespace ds_app
