# Checks the include lines of a source tree against the order in its layers.cmake
# (QELSHOT_LAYERS, lowest folder first, and QELSHOT_X11_LAYER):
#   - a file in <folder>/ includes only from <folder> and the folders before it, whether
#     written "<folder>/x.h", <folder>/x.h or as a relative path that leads there;
#   - only files in the X11 folder include X11 or XCB headers (X11/..., xcb/...);
#   - every file lies in a listed folder, so a new folder cannot escape the order;
#   - with README given, its picture of the order ("a  <-  b  <-  c") names the same order.
# Prints each offending line as file:line and fails when there is any.
#
#   cmake -DSOURCE_DIR=<folder holding layers.cmake> [-DREADME=<README.md>] -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT EXISTS "${SOURCE_DIR}/layers.cmake")
  message(FATAL_ERROR "SOURCE_DIR must name a source folder holding layers.cmake")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
include("${SOURCE_DIR}/layers.cmake")
if(NOT QELSHOT_LAYERS OR NOT QELSHOT_X11_LAYER)
  message(FATAL_ERROR "${SOURCE_DIR}/layers.cmake sets no QELSHOT_LAYERS or QELSHOT_X11_LAYER")
endif()
get_filename_component(tree_name "${SOURCE_DIR}" NAME)

set(fault_count 0)
# Reports `text` for line `line` of `source` (relative to SOURCE_DIR).
function(report source line text)
  file(READ "${SOURCE_DIR}/${source}" content)
  string(FIND "${content}" "${line}" at)
  set(where "${tree_name}/${source}")
  if(at GREATER_EQUAL 0)
    string(SUBSTRING "${content}" 0 ${at} before)
    string(REGEX REPLACE "[^\n]" "" newlines "${before}")
    string(LENGTH "${newlines}" line_number)
    math(EXPR line_number "${line_number} + 1")
    string(APPEND where ":${line_number}")
  endif()
  string(STRIP "${line}" line)
  message("${where}: ${line}: ${text}")
  math(EXPR count "${fault_count} + 1")
  set(fault_count ${count} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" LIST_DIRECTORIES false
     "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.hpp" "${SOURCE_DIR}/*.c" "${SOURCE_DIR}/*.cc"
     "${SOURCE_DIR}/*.cpp")
list(SORT sources)
set(unlisted_folders)
foreach(source IN LISTS sources)
  get_filename_component(source_dir "${source}" DIRECTORY)
  string(REGEX REPLACE "/.*" "" layer "${source_dir}")
  list(FIND QELSHOT_LAYERS "${layer}" layer_index)
  if(layer_index LESS 0)
    if(NOT layer)
      message("${tree_name}/${source}: lies in no folder of ${tree_name}/layers.cmake")
      math(EXPR fault_count "${fault_count} + 1")
    elseif(NOT layer IN_LIST unlisted_folders)
      message("${tree_name}/${layer}/: a folder that ${tree_name}/layers.cmake does not list")
      math(EXPR fault_count "${fault_count} + 1")
      list(APPEND unlisted_folders "${layer}")
    endif()
    continue()
  endif()
  list(SUBLIST QELSHOT_LAYERS 0 ${layer_index} allowed)
  list(APPEND allowed "${layer}")

  file(STRINGS "${SOURCE_DIR}/${source}" include_lines ENCODING UTF-8
       REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+[\">]")
  foreach(line IN LISTS include_lines)
    string(REGEX MATCH "^[ \t]*#[ \t]*include[ \t]*([\"<])([^\">]+)[\">]" match "${line}")
    set(quoted "${CMAKE_MATCH_1}")
    set(target "${CMAKE_MATCH_2}")

    if(target MATCHES "^(X11|xcb)/")
      if(NOT layer STREQUAL QELSHOT_X11_LAYER)
        report("${source}" "${line}" "only ${QELSHOT_X11_LAYER}/ includes X11 and XCB headers")
      endif()
      continue()
    endif()

    # A quoted path is looked up beside the including file first, then from the top of the
    # tree; a path with .. in it is taken beside the file.
    set(path "${target}")
    if(quoted STREQUAL "\"" AND (target MATCHES "(^|/)\\.\\.?/"
                                 OR EXISTS "${SOURCE_DIR}/${source_dir}/${target}"))
      get_filename_component(absolute "${target}" ABSOLUTE
                             BASE_DIR "${SOURCE_DIR}/${source_dir}")
      file(RELATIVE_PATH path "${SOURCE_DIR}" "${absolute}")
    endif()
    string(REGEX REPLACE "/.*" "" used "${path}")
    if(NOT path MATCHES "/" OR NOT used IN_LIST QELSHOT_LAYERS)
      continue() # a system or library header, or one outside the tree
    endif()
    if(NOT used IN_LIST allowed)
      list(JOIN allowed ", " allowed_text)
      report("${source}" "${line}" "${layer}/ may include from ${allowed_text} only")
    endif()
  endforeach()
endforeach()

list(JOIN QELSHOT_LAYERS " <- " order)
if(README)
  file(STRINGS "${README}" pictures REGEX "^[a-z_]+( +<- +[a-z_]+)+ *$")
  set(pictured)
  foreach(picture IN LISTS pictures)
    string(REGEX REPLACE " +<- +" ";" picture "${picture}")
    string(STRIP "${picture}" picture)
    list(APPEND pictured "${picture}")
  endforeach()
  if(NOT pictured STREQUAL QELSHOT_LAYERS)
    get_filename_component(readme_name "${README}" NAME)
    list(JOIN pictured " <- " pictured)
    message("${readme_name}: its picture of the order (${pictured}) is not that of "
            "${tree_name}/layers.cmake")
    math(EXPR fault_count "${fault_count} + 1")
  endif()
endif()

list(LENGTH sources source_count)
if(fault_count GREATER 0)
  message(FATAL_ERROR "${fault_count} fault(s) against the order of ${tree_name}/layers.cmake "
                      "(${order})")
endif()
message(STATUS "${source_count} files of ${tree_name}/ keep the order of layers.cmake")
