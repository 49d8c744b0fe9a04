# Checks that every folder of the program includes only itself and the folders below it,
# as CONTRIBUTING.md's layout table gives them:
#   core/ <- platform/ <- platform/widgets/ <- info_windows/ <- main_window/
#            platform/ <- search_engine/, default_data/ <- main_window/
# An include is read as a path from the source root, or else from the including file's own
# folder; one that names no file of the tree (a library's header) is not the check's
# business. Every wrong include is listed, and the script then fails.
#
#   cmake -DSOURCE_DIR=<source root> [-DSTAMP=<file touched on success>] -P tools/check_layers.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "check_layers: give the source root as -DSOURCE_DIR=...")
endif()

# The folders each folder may include, itself among them.
set(layers core platform platform/widgets search_engine default_data info_windows main_window)
set(may_include_core core)
set(may_include_platform core platform)
set(may_include_platform/widgets core platform platform/widgets)
set(may_include_search_engine core platform search_engine)
set(may_include_default_data core platform default_data)
set(may_include_info_windows core platform platform/widgets info_windows)
set(may_include_main_window
  core platform platform/widgets search_engine default_data info_windows main_window)

# The layer a path from the source root lies in, or "" outside them.
function(layer_of path out)
  set(found "")
  foreach(layer IN LISTS layers)
    string(LENGTH "${layer}/" length)
    string(SUBSTRING "${path}" 0 ${length} start)
    # The longest match wins: platform/widgets/ over platform/.
    if(start STREQUAL "${layer}/")
      set(found "${layer}")
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(patterns "")
foreach(layer IN LISTS layers)
  list(APPEND patterns "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
endforeach()
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" ${patterns})
list(REMOVE_DUPLICATES sources)

set(wrong "")
foreach(source IN LISTS sources)
  layer_of("${source}" layer)
  get_filename_component(folder "${source}" DIRECTORY)
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*$" "\\1" included "${line}")
    if(EXISTS "${SOURCE_DIR}/${included}")
      cmake_path(SET path NORMALIZE "${included}")
    elseif(EXISTS "${SOURCE_DIR}/${folder}/${included}")
      cmake_path(SET path NORMALIZE "${folder}/${included}")
    else()
      continue()
    endif()
    layer_of("${path}" included_layer)
    if(NOT included_layer IN_LIST may_include_${layer})
      list(JOIN may_include_${layer} "/, " allowed)
      list(APPEND wrong "${source}: #include \"${included}\" (${layer}/ may include ${allowed}/)")
    endif()
  endforeach()
endforeach()

if(wrong)
  list(JOIN wrong "\n  " listed)
  message(FATAL_ERROR "An include points up or across the layers:\n  ${listed}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
