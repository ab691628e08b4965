add_library(ds_warnings INTERFACE)
target_compile_options(ds_warnings INTERFACE -Wall -Wextra -Werror)
if(DS_SANITIZE)
  target_compile_options(ds_warnings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(ds_warnings INTERFACE -fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")  # GCC does not flag it
    target_compile_options(ds_warnings INTERFACE -fsanitize-ignorelist=${CMAKE_SOURCE_DIR}/cmake/sanitizer_ignore.txt)
  endif()
endif()
if(DS_FUZZ)
  # Coverage feedback for libFuzzer in every library; only the fuzz targets link its main.
  target_compile_options(ds_warnings INTERFACE -fsanitize=fuzzer-no-link)
  target_link_options(ds_warnings INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(NOT DS_SANITIZE)
  # A shared library must not leave a definition for its loader to find.
  target_link_options(ds_warnings INTERFACE -Wl,--no-undefined)
endif()
