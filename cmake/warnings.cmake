add_library(ds_warnings INTERFACE)
target_compile_options(ds_warnings INTERFACE -Wall -Wextra -Werror)
if(DS_SANITIZE)
  target_compile_options(ds_warnings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(ds_warnings INTERFACE -fsanitize=address,undefined)
endif()
