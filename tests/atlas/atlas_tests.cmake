# The world atlas and the time-zone history: the core tests read the index the build made, the zone
# tests the system's time-zone database, and the report tool's commands run against its build folder.
target_link_libraries(talvenor_tests PRIVATE talvenor_zones)
target_compile_definitions(talvenor_tests PRIVATE TALVENOR_ATLAS_INDEX="${TALVENOR_ATLAS_INDEX}")
add_dependencies(talvenor_tests talvenor_atlas_index)

# The commands read the atlas of the report tool's own folder, where the build put the index.
function(talvenor_atlas_cli_test name status)
  talvenor_cli_test(${name} ${status} ${ARGN})
  set_tests_properties(cli.${name} PROPERTIES ENVIRONMENT "LC_ALL=C;TALVENOR_DATA_DIR=$<TARGET_FILE_DIR:talvenor-report>")
endfunction()

set(ATLAS_EXPECTED ${CMAKE_CURRENT_SOURCE_DIR}/data/atlas)
talvenor_atlas_cli_test(places_ulm 0 ARGS places Ulm --limit 3 EXPECTED ${ATLAS_EXPECTED}/places-ulm.txt)
talvenor_atlas_cli_test(places_sao_paulo 0 ARGS places "Sao Paulo" --limit 1 EXPECTED ${ATLAS_EXPECTED}/places-sao-paulo.txt)
talvenor_atlas_cli_test(places_nothing 1 ARGS places "\" * - \"" STDERR "no place matches")
# A query holding an escape is quoted back with a '?' in its place, never sent to the terminal.
talvenor_atlas_cli_test(places_nothing_control_character 1 ARGS places "Qx{x1B}zq"
                        STDERR_LINE "talvenor-report: no place matches \"Qx?zq\"")
talvenor_atlas_cli_test(places_bad_limit 2 ARGS places Ulm --limit 0 STDERR "--limit must be")
talvenor_atlas_cli_test(places_no_query 2 ARGS places STDERR "places needs a QUERY")
talvenor_atlas_cli_test(zone_chicago_1962 0 ARGS zone --tz America/Chicago --date "14 Mar 1962" --time 10.15 --ampm P
                        EXPECTED ${ATLAS_EXPECTED}/zone-chicago-1962.txt)
talvenor_atlas_cli_test(zone_amsterdam_1928 0 ARGS zone --tz Europe/Amsterdam --date "15 Jan 1928" --time 12.00
                        --ampm P EXPECTED ${ATLAS_EXPECTED}/zone-amsterdam-1928.txt)
talvenor_atlas_cli_test(zone_berlin_1879_own_longitude 0 ARGS zone --tz Europe/Berlin --date "1 Jan 1879"
                        --time 12.00 --ampm P --longitude 013.24E EXPECTED ${ATLAS_EXPECTED}/zone-berlin-1879.txt
                        STDERR "place's own longitude")
talvenor_atlas_cli_test(zone_skipped 1 ARGS zone --tz Europe/Berlin --date "31 Mar 2024" --time 2.30 --ampm A
                        STDERR "did not exist in Europe/Berlin")
talvenor_atlas_cli_test(zone_repeated 0 ARGS zone --tz Europe/Berlin --date "27 Oct 2024" --time 2.30 --ampm A
                        EXPECTED ${ATLAS_EXPECTED}/zone-berlin-repeated.txt STDERR "occurred twice")
talvenor_atlas_cli_test(zone_unknown 2 ARGS zone --tz Mars/Olympus --date "14 Mar 1962" --time 10.15 --ampm P
                        STDERR "does not know the zone Mars/Olympus")
talvenor_atlas_cli_test(zone_bad_date 2 ARGS zone --tz Europe/Berlin --date "31 Feb 1962" --time 10.15 --ampm P
                        STDERR "--date is not a date")
# Every zone id of the system's database: the zones without an area, the links and the backward names.
foreach(case "UTC;utc" "Zulu;zulu" "Universal;universal" "CET;cet-summer" "EST5EDT;est5edt-summer"
             "US/Eastern;us-eastern-summer")
  list(GET case 0 id)
  list(GET case 1 file)
  talvenor_atlas_cli_test(zone_id_${file} 0 ARGS zone --tz ${id} --date "1 Jul 2024" --time 12.00 --ampm P
                          EXPECTED ${ATLAS_EXPECTED}/zone-${file}.txt)
endforeach()
talvenor_atlas_cli_test(zone_offset_is_no_id 2 ARGS zone --tz UTC+05:00 --date "1 Jul 2024" --time 12.00
                        STDERR "does not know the zone UTC+05:00")
talvenor_atlas_cli_test(zone_file_is_no_id 2 ARGS zone --tz posixrules --date "1 Jul 2024" --time 12.00
                        STDERR "does not know the zone posixrules")
# The year rule of every date: the years 1 to 2099, the year written in full.
talvenor_atlas_cli_test(zone_short_year 2 ARGS zone --tz Europe/Berlin --date "14 Mar 62" --time 10.15 --ampm P
                        STDERR "gives the year in short: write it in full")
talvenor_atlas_cli_test(zone_year_beyond_2099 2 ARGS zone --tz Europe/Berlin --date "1 Jan 2100" --time 12.00
                        STDERR "is outside the years the program computes (1 to 2099)")
# A damaged index (a stretch of zeros in its middle, the header intact) is made again by the report tool,
# for its place search and for an import's place lookups.
add_test(NAME cli.atlas_damaged_index
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/atlas/check_damaged_index.sh $<TARGET_FILE:talvenor-report>
                 ${CMAKE_CURRENT_BINARY_DIR}/cli-files/atlas_damaged_index)
set_tests_properties(cli.atlas_damaged_index PROPERTIES ENVIRONMENT "LC_ALL=C")
