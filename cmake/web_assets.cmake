# The local server's page (app/serve/web: HTML, CSS, JavaScript) built into ds-host.
# Each file becomes a byte array in a generated source, so the page needs no
# build step of its own and nothing is read from disk or fetched at run time.
# Bytes rather than string literals: narrow literals are compiled to GBK here,
# and the page must reach the browser as the UTF-8 it was written in.
# Changing a file under app/serve/web re-runs this step.
file(GLOB DS_WEB_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/serve/web/*)
list(SORT DS_WEB_FILES)
set(ds_web_arrays "")
set(ds_web_entries "")
set(ds_web_index 0)
foreach(web_file IN LISTS DS_WEB_FILES)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${web_file})
  get_filename_component(web_name ${web_file} NAME)
  get_filename_component(web_ext ${web_file} LAST_EXT)
  if(web_ext STREQUAL ".html")
    set(web_type "text/html; charset=utf-8")
  elseif(web_ext STREQUAL ".css")
    set(web_type "text/css; charset=utf-8")
  elseif(web_ext STREQUAL ".js")
    set(web_type "text/javascript; charset=utf-8")
  elseif(web_ext STREQUAL ".svg")
    set(web_type "image/svg+xml")
  else()
    message(FATAL_ERROR "app/serve/web/${web_name}: no content type is known for ${web_ext}")
  endif()
  file(READ ${web_file} web_hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," web_bytes "${web_hex}")
  string(APPEND ds_web_arrays "const unsigned char asset_${ds_web_index}[] = {${web_bytes}0};\n")
  string(APPEND ds_web_entries
    "    {\"${web_name}\", \"${web_type}\", std::string_view(reinterpret_cast<const char*>(asset_${ds_web_index}), sizeof asset_${ds_web_index} - 1)},\n")
  math(EXPR ds_web_index "${ds_web_index} + 1")
endforeach()
set(DS_WEB_ASSETS_SOURCE ${CMAKE_BINARY_DIR}/generated/serve_web_assets.cpp)
file(CONFIGURE OUTPUT ${DS_WEB_ASSETS_SOURCE} CONTENT "// Generated from app/serve/web by cmake/web_assets.cmake; do not edit.
#include \"app/serve/serve_assets.h\"

namespace ds_app {
namespace {
${ds_web_arrays}
const web_asset assets[] = {
${ds_web_entries}};
}  // namespace

std::span<const web_asset> web_assets() { return assets; }

}  // namespace ds_app
" @ONLY)
