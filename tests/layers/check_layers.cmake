# Checks that the folders of core/ (and the test folders that mirror them) use only folders below them.
#
#   cmake -DROOT=<source folder> [-DREADME=<file>] -P check_layers.cmake
#
# Reads every #include "folder/file" line of core/<folder>/ and tests/<folder>/ and fails, naming the
# file and the line, when a folder includes a folder above it in the order, a folder that is not in the
# order, or when two folders include each other, and when a folder of core/ is missing from the order.
# With README set, the README must state the same order.

cmake_minimum_required(VERSION 3.25)

# From the bottom up. Keep the README's layout section in step.
set(LAYERS text ephemeris environment report chart midpoints input datafiles atlas exchange events session)
# Test folders of helpers for every test: any test folder may include them, and they may include core
# folders up to the layer given.
set(TEST_SUPPORT_FOLDERS support)
set(TEST_SUPPORT_LAYERS environment)

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source folder> -P check_layers.cmake")
endif()

list(JOIN LAYERS " → " order_text)
set(problems 0)
set(checked 0)

function(layer_rank folder out)
  list(FIND LAYERS "${folder}" rank)
  if(rank EQUAL -1)
    list(FIND TEST_SUPPORT_FOLDERS "${folder}" support)
    if(NOT support EQUAL -1)
      list(GET TEST_SUPPORT_LAYERS ${support} layer)
      list(FIND LAYERS "${layer}" rank)
    endif()
  endif()
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

# Every include line of the tree under <top>, as "file|line|source folder|target folder|target".
function(collect_includes top out)
  set(found "")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${ROOT}" "${ROOT}/${top}/*.h" "${ROOT}/${top}/*.cpp")
  list(SORT files)
  foreach(file IN LISTS files)
    string(REGEX MATCH "^${top}/([^/]+)/" _ "${file}")
    set(source "${CMAKE_MATCH_1}")
    if(source STREQUAL "")
      continue()
    endif()
    file(STRINGS "${ROOT}/${file}" lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"(([^\"/]+)/[^\"]*)\"")
        list(APPEND found "${file}|${number}|${source}|${CMAKE_MATCH_2}|${CMAKE_MATCH_1}")
      endif()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(check_tree top)
  collect_includes("${top}" includes)
  set(arrows "")
  foreach(entry IN LISTS includes)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 file)
    list(GET fields 1 number)
    list(GET fields 2 source)
    list(GET fields 3 target)
    list(GET fields 4 header)
    math(EXPR checked "${checked} + 1")
    if(source STREQUAL target)
      continue()
    endif()
    if(top STREQUAL "tests" AND target IN_LIST TEST_SUPPORT_FOLDERS)
      continue()
    endif()
    layer_rank("${source}" source_rank)
    layer_rank("${target}" target_rank)
    if(source_rank EQUAL -1)
      # A test folder outside the order (reliability, gui, cli) sits above everything.
      if(top STREQUAL "tests")
        continue()
      endif()
      message(NOTICE "${file}:${number}: the folder ${source}/ is not in the layer order (${order_text})")
      math(EXPR problems "${problems} + 1")
    elseif(target_rank EQUAL -1)
      message(NOTICE "${file}:${number}: ${source}/ includes ${header}, and ${target}/ is not in the layer "
                     "order (${order_text})")
      math(EXPR problems "${problems} + 1")
    elseif(target_rank GREATER source_rank)
      message(NOTICE "${file}:${number}: ${source}/ includes ${header}, but ${target}/ lies above ${source}/ "
                     "(order: ${order_text})")
      math(EXPR problems "${problems} + 1")
    endif()
    set(key "${source}__${target}")
    if(NOT DEFINED first_${key})
      set(first_${key} "${file}:${number}")
      list(APPEND arrows "${key}")
    endif()
  endforeach()
  # Two folders that include each other, named once for each pair.
  foreach(key IN LISTS arrows)
    string(REPLACE "__" ";" pair "${key}")
    list(GET pair 0 a)
    list(GET pair 1 b)
    if(DEFINED first_${b}__${a} AND a STRLESS b)
      message(NOTICE "${top}/${a}/ and ${top}/${b}/ include each other: ${first_${a}__${b}} and "
                     "${first_${b}__${a}}")
      math(EXPR problems "${problems} + 1")
    endif()
  endforeach()
  set(problems ${problems} PARENT_SCOPE)
  set(checked ${checked} PARENT_SCOPE)
endfunction()

# Every folder of core/ has its place in the order, even before it includes anything.
file(GLOB core_folders LIST_DIRECTORIES true RELATIVE "${ROOT}/core" "${ROOT}/core/*")
foreach(folder IN LISTS core_folders)
  if(IS_DIRECTORY "${ROOT}/core/${folder}" AND NOT folder IN_LIST LAYERS)
    message(NOTICE "core/${folder}/: a folder that is not in the layer order (${order_text})")
    math(EXPR problems "${problems} + 1")
  endif()
endforeach()

check_tree(core)
check_tree(tests)

if(README)
  file(READ "${README}" readme)
  string(FIND "${readme}" "${order_text}" at)
  if(at EQUAL -1)
    message(NOTICE "${README} does not state the layer order \"${order_text}\"")
    math(EXPR problems "${problems} + 1")
  endif()
endif()

if(problems GREATER 0)
  message(FATAL_ERROR "${problems} fault(s) against the layer order ${order_text}")
endif()
message(STATUS "${checked} include lines follow the layer order ${order_text}")
