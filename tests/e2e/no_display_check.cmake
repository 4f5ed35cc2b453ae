# Without a display the game says so in one line on standard error and ends with status 1: the
# binary when no display is named or the one named cannot be opened, and ./morvel run before it
# builds anything.
#   cmake -DMORVEL=BINARY -DSCRIPT=path/to/morvel -P no_display_check.cmake

function(expect_no_display reason)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines count)
  if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT count EQUAL 1 OR
     NOT err MATCHES "^morvel: no display found: ${reason}")
    message(FATAL_ERROR "${ARGN}: status ${status}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()

# A display number that no X server here serves.
foreach(number RANGE 64 127)
  if(NOT EXISTS /tmp/.X11-unix/X${number} AND NOT EXISTS /tmp/.X${number}-lock)
    break()
  endif()
endforeach()

set(unset --unset=DISPLAY --unset=WAYLAND_DISPLAY)
expect_no_display("neither DISPLAY nor WAYLAND_DISPLAY is set" ${unset} ${MORVEL})
expect_no_display("cannot open DISPLAY=:${number} \\(could not connect"
  --unset=WAYLAND_DISPLAY DISPLAY=:${number} ${MORVEL})
expect_no_display("neither DISPLAY nor WAYLAND_DISPLAY is set" ${unset} ${SCRIPT} run)
