# The host stand-in in layers: one library per folder of host/, each allowed to
# include only the folders the table at the end of this file lets it use.
#
# A folder may include its own headers, those of the folders named on its line
# and, through them, those of every folder further down. An #include that runs
# up or sideways fails to compile: the header is not found.
#
# How: every header is included as "host/<folder>/x.h", so the source root is
# never on a layer's include path. Each folder has an include root of its own
# in the build tree, layers/<folder>, holding one symbolic link,
# layers/<folder>/host/<folder> -> the source folder, made at configure time.
# A layer's include path is its own root plus the roots of the layers it uses,
# passed on through PUBLIC links, so a header of any other folder is simply
# not there. The compiler, Ninja and ccache see ordinary files through the
# links; diagnostics name a header by its path under build/<preset>/layers.
#
# The layers are OBJECT libraries (position-independent) gathered into the one
# shared library ds_host_platform, so the class registry, data centre and
# template store still exist once per process. A folder's sources are globbed:
# a new file builds without an edit here; a new folder must join the table.

set(DS_HOST_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)
set(DS_HOST_LAYERS "")

# ds_host_layer(<folder> [<folder it may use>...])
function(ds_host_layer folder)
  set(source ${CMAKE_SOURCE_DIR}/host/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "cmake/host_layers.cmake: there is no folder host/${folder}")
  endif()
  foreach(used IN LISTS ARGN)
    if(NOT used IN_LIST DS_HOST_LAYERS)
      message(FATAL_ERROR "cmake/host_layers.cmake: host/${folder} uses ${used}, which is not a folder listed above it")
    endif()
  endforeach()

  set(root ${DS_HOST_LAYER_ROOT}/${folder})
  file(MAKE_DIRECTORY ${root}/host)
  file(CREATE_LINK ${source} ${root}/host/${folder} SYMBOLIC)

  file(GLOB sources CONFIGURE_DEPENDS ${source}/*.cpp)
  add_library(ds_host_${folder} OBJECT ${sources})
  set_target_properties(ds_host_${folder} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(ds_host_${folder} PUBLIC ${root})
  target_link_libraries(ds_host_${folder} PUBLIC nlohmann_json::nlohmann_json ds_charset ds_warnings)
  foreach(used IN LISTS ARGN)
    target_link_libraries(ds_host_${folder} PUBLIC ds_host_${used})
  endforeach()
  set(DS_HOST_LAYERS ${DS_HOST_LAYERS} ${folder} PARENT_SCOPE)
endfunction()

# A sheet writer: a folder that uses the sheet model and nothing above it, so
# a writer cannot see pedestals (nor another writer), with the libraries it
# writes its format through linked to it alone. The table of sheet formats
# uses every writer.
set(DS_SHEET_WRITERS "")
macro(ds_sheet_writer folder)
  ds_host_layer(${folder} sheet_model)
  if(${ARGC} GREATER 1)
    target_link_libraries(ds_host_${folder} PRIVATE ${ARGN})
  endif()
  list(APPEND DS_SHEET_WRITERS ${folder})
endmacro()

# Which folder may use which, the lowest first; a folder names only the
# folders it uses directly, those below them come with them. To let a folder
# use another, add the other to its line (and to the picture in docs/layout.md),
# keeping every folder below those it uses.
#
#             folder        may use
ds_host_layer(afx)
ds_host_layer(math)
ds_host_layer(text          afx)
ds_host_layer(framework     text math)
ds_host_layer(fields        framework)
ds_host_layer(grid          fields)
ds_host_layer(json          framework)
ds_host_layer(project       grid json)
ds_host_layer(rebar         grid)
ds_host_layer(spreadsheet   grid)
ds_host_layer(substructure  spreadsheet)
ds_host_layer(sheet_model   framework)
ds_sheet_writer(sheet_svg)
ds_sheet_writer(sheet_dxf   ${DXFLIB_LIBRARY})
ds_sheet_writer(sheet_pdf   PkgConfig::PANGOCAIRO)
ds_sheet_writer(sheet_html)
ds_host_layer(sheet_formats ${DS_SHEET_WRITERS})
ds_host_layer(pedestal_design rebar sheet_model)
ds_host_layer(drawing_lib   pedestal_design)
ds_host_layer(ui_base       drawing_lib)

# Every folder of host/ is a layer: one missing from the table would not build.
file(GLOB ds_host_folders LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/host ${CMAKE_SOURCE_DIR}/host/*)
foreach(folder IN LISTS ds_host_folders)
  if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/host/${folder} AND NOT folder IN_LIST DS_HOST_LAYERS)
    message(FATAL_ERROR "cmake/host_layers.cmake: host/${folder} is in no line of the layer table")
  endif()
endforeach()

# The libraries the folders write and read their files with (the sheet
# writers' are on their lines above).
target_link_libraries(ds_host_spreadsheet PRIVATE ${CSV_LIBRARY} ${XLSXWRITER_LIBRARY} ${ZIP_LIBRARY} pugixml::pugixml)
target_include_directories(ds_host_spreadsheet PRIVATE ${CSV_INCLUDE_DIR} ${XLSXWRITER_INCLUDE_DIR} ${ZIP_INCLUDE_DIR})
target_link_libraries(ds_host_json PRIVATE OpenSSL::Crypto)
# Project files are read by RapidJSON's SAX reader (header-only, Debian rapidjson-dev).
find_path(RAPIDJSON_INCLUDE_DIR rapidjson/reader.h REQUIRED)
target_include_directories(ds_host_json PRIVATE ${RAPIDJSON_INCLUDE_DIR})

# The one shared library the module, ds-host and the tests link. It passes on
# the layers' include roots, not the source root, so that what links it sees
# host/ and nothing else of the tree (ds-host's rooms rely on that).
add_library(ds_host_platform SHARED)
list(TRANSFORM DS_HOST_LAYERS PREPEND ds_host_ OUTPUT_VARIABLE ds_host_layer_targets)
target_link_libraries(ds_host_platform PRIVATE ${ds_host_layer_targets})
list(TRANSFORM DS_HOST_LAYERS PREPEND ${DS_HOST_LAYER_ROOT}/ OUTPUT_VARIABLE ds_host_layer_roots)
target_include_directories(ds_host_platform PUBLIC ${ds_host_layer_roots})
target_link_libraries(ds_host_platform PUBLIC nlohmann_json::nlohmann_json ds_charset ds_warnings)
