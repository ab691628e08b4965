# ds-host in three rooms, each a library of its own:
#
#   core   the steps every door uses (open a project, refer, edit a grid,
#          import, draw, merge, ...); it knows no command line and no server
#   serve  the local server and its page (web/), above core
#   cli    the command line: the commands, main(), above core and serve
#
# As for the host's layers (cmake/host_layers.cmake), a room's sources see no
# include path into the source tree: each room has an include root of its own
# in the build tree, rooms/<room>, holding one link app/<room> -> the source
# folder, and sees the roots of the rooms it uses and the host's layers. An
# #include "app/cli/..." from core is simply not found.

set(DS_APP_ROOM_ROOT ${CMAKE_BINARY_DIR}/rooms)

# ds_app_room(<room> [<room it may use>...]): a static library ds_app_<room>
# of every .cpp under app/<room>, its sub-folders included, but main.cpp.
function(ds_app_room room)
  set(source ${CMAKE_SOURCE_DIR}/app/${room})
  set(root ${DS_APP_ROOM_ROOT}/${room})
  file(MAKE_DIRECTORY ${root}/app)
  file(CREATE_LINK ${source} ${root}/app/${room} SYMBOLIC)

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${source}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(ds_app_${room} STATIC ${sources})
  target_include_directories(ds_app_${room} PUBLIC ${root})
  target_link_libraries(ds_app_${room} PUBLIC ds_host_platform)
  foreach(used IN LISTS ARGN)
    if(NOT TARGET ds_app_${used})
      message(FATAL_ERROR "cmake/app_rooms.cmake: app/${room} uses ${used}, which is not a room defined before it")
    endif()
    target_link_libraries(ds_app_${room} PUBLIC ds_app_${used})
  endforeach()
endfunction()
