# This release as the package and the software centres describe it: the latest
# entry of dist/changelog, which must be the project's version, gives the
# release date; the AppStream metadata is made with both.

# The placeholder identifier under a domain reserved for examples, until the
# project has a public address of its own.
set(VARNOK_APPSTREAM_ID org.example.varnok)

file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/changelog heading LIMIT_COUNT 1 REGEX "^varnok \\(")
string(REGEX MATCH "^varnok \\(([^)]+)\\)" matched "${heading}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "dist/changelog: the latest entry is for '${CMAKE_MATCH_1}', the project "
                        "is ${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}")
endif()

# The entry's closing line: " -- NAME <ADDRESS>  Mon, 07 Dec 2026 12:43:03 +0000".
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/changelog closing LIMIT_COUNT 1 REGEX "^ -- ")
string(REGEX MATCH ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) " matched "${closing}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
if(NOT matched OR month EQUAL -1)
    message(FATAL_ERROR "dist/changelog: the latest entry has no closing line with a date "
                        "as ' -- NAME <ADDRESS>  Mon, 07 Dec 2026 12:00:00 +0000'")
endif()
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
    set(month 0${month})
endif()
set(VARNOK_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

set(METAINFO ${CMAKE_CURRENT_BINARY_DIR}/metainfo/${VARNOK_APPSTREAM_ID}.metainfo.xml)
configure_file(varnok.metainfo.xml.in ${METAINFO} @ONLY)
