# Runs the accuracy tool and fails unless the README holds its output (both tables) word for word.
#
#   cmake -DTOOL=<talvenor-accuracy> -DREADME=<README.md> -P check_readme_table.cmake

execute_process(COMMAND ${TOOL} RESULT_VARIABLE status OUTPUT_VARIABLE printed ERROR_VARIABLE took)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the accuracy tool failed (${status}): ${took}")
endif()
file(READ ${README} readme)
string(FIND "${readme}" "${printed}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the README's accuracy tables are not the ones the tool prints; put this in its place:\n${printed}")
endif()
message(STATUS "the README shows the tables the tool prints (${took})")
