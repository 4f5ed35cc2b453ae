# The menu entry and the software-centre data pass their validators without a single remark, the
# pedantic ones included, and name each other: DATA/ID.desktop launches the component ID, whose
# icon is ID.
#   cmake -DDATA=data -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -P desktop_check.cmake

file(GLOB metainfo ${DATA}/*.metainfo.xml)
file(READ ${metainfo} component)
string(REGEX MATCH "<id>([^<]*)</id>" found "${component}")
set(id ${CMAKE_MATCH_1})
set(desktop ${DATA}/${id}.desktop)
if(NOT metainfo STREQUAL "${DATA}/${id}.metainfo.xml" OR NOT EXISTS ${desktop})
  message(FATAL_ERROR "component ${id}: expected ${id}.metainfo.xml and ${id}.desktop in ${DATA}")
endif()

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${desktop}: ${out}${err}")
endif()

execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --pedantic --explain ${metainfo}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "Validation was successful\\.")
  message(FATAL_ERROR "appstreamcli validate --pedantic ${metainfo}:\n${out}${err}")
endif()

file(READ ${desktop} entry)
foreach(expected "\nIcon=${id}\n" "\nStartupWMClass=")
  string(FIND "${entry}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${desktop} lacks '${expected}'")
  endif()
endforeach()
string(FIND "${component}" "<launchable type=\"desktop-id\">${id}.desktop</launchable>" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${metainfo} does not launch ${id}.desktop")
endif()
