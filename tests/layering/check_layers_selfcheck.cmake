# Runs check_layers.cmake on small trees of three folders (base <- middle <- top, X11 in
# base): a tree that keeps the order must pass, and each tree with one planted fault must
# fail naming that fault's file and line, and nothing else.
#
#   cmake -DCHECKER=<check_layers.cmake> -DWORK_DIR=<scratch folder> -P check_layers_selfcheck.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT CHECKER OR NOT WORK_DIR)
  message(FATAL_ERROR "CHECKER and WORK_DIR must be given")
endif()

set(failures 0)

# Writes the tree `name` that keeps the order: includes from the own folder (also beside
# the file and through a subfolder), from lower folders, system headers, a wrong include
# that is only a comment, and X11 in base; beside it a README that pictures the order.
function(write_good_tree name)
  set(root "${WORK_DIR}/${name}/src")
  file(REMOVE_RECURSE "${WORK_DIR}/${name}")
  file(WRITE "${WORK_DIR}/${name}/README.md"
       "Folders:\n\n```\nbase  <-  middle  <-  top\n```\n\nbase <- middle is the rule.\n")
  file(WRITE "${root}/layers.cmake"
       "set(QELSHOT_LAYERS base middle top)\nset(QELSHOT_X11_LAYER base)\n")
  file(WRITE "${root}/base/b.h" "#pragma once\n#include <X11/Xlib.h>\n#include <vector>\n")
  file(WRITE "${root}/base/b.cpp" "#include \"base/b.h\"\n#  include <xcb/xcb.h>\n")
  file(WRITE "${root}/middle/m.h" "#pragma once\n#include \"base/b.h\"\n")
  file(WRITE "${root}/middle/local.h" "#pragma once\n")
  file(WRITE "${root}/middle/m.cpp"
       "#include \"middle/m.h\"\n#include \"local.h\"\n#include \"../base/b.h\"\n"
       "// #include \"top/t.h\" is what a lower folder must not do\n#include <QString>\n")
  file(WRITE "${root}/middle/deep/d.cpp" "#include \"../m.h\"\n#include <base/b.h>\n")
  file(WRITE "${root}/top/t.h" "#pragma once\n#include \"middle/m.h\"\n#include \"base/b.h\"\n")
  file(WRITE "${root}/top/t.cpp" "#include \"top/t.h\"\n#include <jpeglib.h>\n")
endfunction()

# Runs the checker on the tree `name`; sets result and output in the caller.
function(run_checker name)
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${WORK_DIR}/${name}/src"
                          "-DREADME=${WORK_DIR}/${name}/README.md" -P "${CHECKER}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(result "${result}" PARENT_SCOPE)
  set(output "${out}${err}" PARENT_SCOPE)
endfunction()

function(fail text)
  message("FAILED: ${text}")
  math(EXPR count "${failures} + 1")
  set(failures ${count} PARENT_SCOPE)
endfunction()

write_good_tree(good)
run_checker(good)
if(NOT result EQUAL 0 OR NOT output MATCHES "8 files of src/ keep the order")
  fail("the tree that keeps the order was refused (exit ${result}):\n${output}")
endif()

# Each case: the file to write into the good tree, its text (the fault on line 2) and what
# the checker must say about it.
set(case_names)
function(plant name file text expected)
  set(case_names ${case_names} ${name} PARENT_SCOPE)
  set(${name}_file "${file}" PARENT_SCOPE)
  set(${name}_text "// planted\n${text}\n" PARENT_SCOPE)
  set(${name}_expected "${expected}" PARENT_SCOPE)
endfunction()
plant(up_quoted base/up.cpp [[#include "middle/m.h"]] "base/ may include from base only")
plant(up_angled middle/up.h [[# include <top/t.h>]] "middle/ may include from base, middle only")
plant(up_relative middle/deep/up.cpp [[#include "../../top/t.h"]]
      "middle/ may include from base, middle only")
plant(x11_outside top/x.cpp [[#include <X11/Xutil.h>]] "only base/ includes X11 and XCB")
plant(xcb_outside middle/x.h [[  #include <xcb/randr.h>]] "only base/ includes X11 and XCB")
plant(unlisted_folder extra/e.cpp [[#include "base/b.h"]] "extra/: a folder that")
plant(readme_order ../README.md "base  <-  top  <-  middle"
      "(base <- top <- middle) is not that of src/layers.cmake")

foreach(name IN LISTS case_names)
  write_good_tree(${name})
  file(WRITE "${WORK_DIR}/${name}/src/${${name}_file}" "${${name}_text}")
  run_checker(${name})
  # Fault lines start with the file's name; the closing error message is indented.
  string(REGEX MATCHALL "(^|\n)(src/|README)" reported "${output}")
  list(LENGTH reported reported_count)
  if(name STREQUAL "unlisted_folder")
    set(location "src/extra/")
  elseif(name STREQUAL "readme_order")
    set(location "README.md: ")
  else()
    set(location "src/${${name}_file}:2: ")
  endif()
  string(FIND "${output}" "${location}" location_at)
  string(FIND "${output}" "${${name}_expected}" expected_at)
  if(result EQUAL 0 OR location_at LESS 0 OR expected_at LESS 0 OR NOT reported_count EQUAL 1)
    fail("${name}: expected a failure at ${location} saying \"${${name}_expected}\", "
         "got exit ${result}:\n${output}")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} check(s) of the layering checker failed")
endif()
list(LENGTH case_names case_count)
message(STATUS "the layering checker passes a good tree and finds each of ${case_count} planted faults")
