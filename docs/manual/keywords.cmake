# Writes the manual's keyword index twice from keywords.txt: as the compiled
# help's index (index.hhk) and as a page for the browser (keywords.html).
# Every target page and anchor must exist, so that no index entry leads nowhere.
#
# cmake -DIN=keywords.txt -DPAGES=<folder of the pages> -DHHK=<out> -DHTML=<out> -P keywords.cmake

file(STRINGS "${IN}" lines ENCODING UTF-8)
set(entries)
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([^|]+)\\|([a-z]+\\.html)(#([a-z]+))?$")
    message(FATAL_ERROR "keywords: malformed line '${line}'")
  endif()
  set(page "${CMAKE_MATCH_2}")
  set(anchor "${CMAKE_MATCH_4}")
  if(NOT EXISTS "${PAGES}/${page}")
    message(FATAL_ERROR "keywords: '${line}' leads to a missing page")
  endif()
  if(anchor)
    file(READ "${PAGES}/${page}" text)
    string(FIND "${text}" "id=\"${anchor}\"" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "keywords: '${line}' leads to a missing anchor")
    endif()
  endif()
  list(APPEND entries "${line}")
endforeach()
if(NOT entries)
  message(FATAL_ERROR "keywords: no entries in ${IN}")
endif()
list(SORT entries CASE INSENSITIVE)

function(escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(hhk "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD></HEAD>\n<BODY>\n<UL>\n")
set(items "")
foreach(entry IN LISTS entries)
  string(REGEX MATCH "^([^|]+)\\|(.+)$" ignored "${entry}")
  escape("${CMAKE_MATCH_1}" name)
  set(target "${CMAKE_MATCH_2}")
  string(APPEND hhk "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${name}\">"
                    "<param name=\"Local\" value=\"${target}\"></OBJECT>\n")
  string(APPEND items "<li><a href=\"${target}\">${name}</a></li>\n")
endforeach()
string(APPEND hhk "</UL>\n</BODY>\n</HTML>\n")

set(html "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Keyword index</title>\n"
         "<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n<h1>Keyword index</h1>\n<ul>\n${items}</ul>\n"
         "<p class=\"nav\"><a href=\"index.html\">Contents</a></p>\n</body>\n</html>\n")

file(WRITE "${HHK}" "${hhk}")
file(WRITE "${HTML}" "${html}")
