# Runs the layer check on a small tree with includes against the order planted in it, and fails unless
# the check fails and names every planted fault with its file and line.
#
#   cmake -DCHECKER=<check_layers.cmake> -DPLANTED=<folder> -P check_planted.cmake

cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${PLANTED} -DREADME=${PLANTED}/README.md -P ${CHECKER}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(output "${out}${err}")
if(status EQUAL 0)
  message(FATAL_ERROR "the layer check passed a tree with includes against the order:\n${output}")
endif()

set(expected
    "core/chart/up.h:4: chart/ includes session/top.h, but session/ lies above chart/"
    "core/report/buffer.h:3: report/ includes chart/own.h, but chart/ lies above report/"
    "core/chart/ and core/report/ include each other: core/chart/up.h:3 and core/report/buffer.h:3"
    "core/text/unknown.h:2: text/ includes gadgets/gadget.h, and gadgets/ is not in the layer order"
    "core/stray/: a folder that is not in the layer order"
    "core/chart/ and core/session/ include each other: core/chart/up.h:4 and core/session/top.h:2"
    "tests/ephemeris/up_test.h:4: ephemeris/ includes chart/chart_state.h, but chart/ lies above ephemeris/"
    "README.md does not state the layer order"
    "8 fault(s) against the layer order")
foreach(message IN LISTS expected)
  string(FIND "${output}" "${message}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the layer check did not report \"${message}\":\n${output}")
  endif()
endforeach()
# What follows the order is not reported.
foreach(allowed "core/chart/up.h:2: " "core/report/buffer.h:2: " "core/session/top.h:2: " "core/session/top.h:3: "
        "tests/ephemeris/up_test.h:2: " "tests/ephemeris/up_test.h:3: ")
  string(FIND "${output}" "${allowed}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the layer check reported an include that follows the order (${allowed}):\n${output}")
  endif()
endforeach()
message(STATUS "the layer check names every planted fault")
