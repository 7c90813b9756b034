# Runs talvenor-report to draw a file, then checks the file: a PNG against a golden image (ImageMagick's
# compare, counting the pixels that differ by more than FUZZ), a PDF by rendering it (pdftoppm) and
# finding ink on the page, an SVG by its outlines. Variables: EXE, ARGS (separated by "|"), OUTPUT, and
# GOLDEN with MAX_PIXELS (PNG), or KIND=pdf, or KIND=svg with MIN_PATHS; and MAX_BYTES, the largest the
# file may be.
string(REPLACE "|" ";" ARGS "${ARGS}")
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${EXE} ${ARGS} --output ${OUTPUT} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}\nstderr: ${err}")
endif()
if(NOT "${err}" STREQUAL "")
  message(FATAL_ERROR "unexpected output on stderr: ${err}")
endif()

if(DEFINED MAX_BYTES)
  file(SIZE ${OUTPUT} bytes)
  if(bytes GREATER MAX_BYTES)
    message(FATAL_ERROR "${OUTPUT} has ${bytes} bytes (at most ${MAX_BYTES})")
  endif()
endif()

if(DEFINED GOLDEN)
  if(NOT DEFINED FUZZ)
    set(FUZZ 20%)
  endif()
  execute_process(COMMAND compare -metric AE -fuzz ${FUZZ} ${GOLDEN} ${OUTPUT} null:
                  RESULT_VARIABLE cmp ERROR_VARIABLE differing)
  # compare prints the count on stderr; status 2 means the images could not be compared at all.
  if(cmp EQUAL 2 OR NOT differing MATCHES "^[0-9.e+]+$")
    message(FATAL_ERROR "the images cannot be compared: ${differing}")
  endif()
  if(differing GREATER MAX_PIXELS)
    message(FATAL_ERROR "${differing} pixels differ from ${GOLDEN} (at most ${MAX_PIXELS}); see ${OUTPUT}")
  endif()
elseif(KIND STREQUAL "pdf")
  execute_process(COMMAND pdftoppm -r 30 -png -singlefile ${OUTPUT} ${OUTPUT}-page RESULT_VARIABLE rendered
                  ERROR_VARIABLE err)
  if(NOT rendered EQUAL 0 OR NOT EXISTS ${OUTPUT}-page.png)
    message(FATAL_ERROR "pdftoppm could not render ${OUTPUT}: ${err}")
  endif()
  execute_process(COMMAND identify -format "%[fx:mean]" ${OUTPUT}-page.png OUTPUT_VARIABLE mean)
  if(NOT mean LESS 0.995)
    message(FATAL_ERROR "the rendered page is blank (mean ${mean})")
  endif()
elseif(KIND STREQUAL "svg")
  file(READ ${OUTPUT} svg)
  string(REGEX MATCHALL "<path " paths "${svg}")
  list(LENGTH paths count)
  string(FIND "${svg}" "<text" text)
  if(count LESS MIN_PATHS OR NOT text EQUAL -1)
    message(FATAL_ERROR "${count} outlines (at least ${MIN_PATHS}) and text elements at ${text}")
  endif()
endif()
