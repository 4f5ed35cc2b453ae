# morvel-screenshot's command line: --help answers with the usage, an unknown option or a wrong
# argument is refused with status 2, and neither writes a file; a good run writes the PNG and
# prints nothing, Qt's notes on the off-screen platform included.
#   cmake -DTOOL=path/to/morvel-screenshot -DDIR=scratch-dir -P screenshot_check.cmake

file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})

function(run expected_status)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=XDG_RUNTIME_DIR
      ${TOOL} ${ARGN}
    WORKING_DIRECTORY ${DIR} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
    TIMEOUT 60)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "morvel-screenshot ${ARGN}: status ${status}, stdout '${out}', stderr '${err}'")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_no_file why)
  file(GLOB written ${DIR}/*)
  if(written)
    message(FATAL_ERROR "${why} wrote ${written}")
  endif()
endfunction()

run(0 --help)
if(NOT out MATCHES "^usage: morvel-screenshot " OR NOT err STREQUAL "")
  message(FATAL_ERROR "--help: stdout '${out}', stderr '${err}'")
endif()
expect_no_file("--help")

function(expect_refused)
  run(2 ${ARGN})
  if(NOT out STREQUAL "" OR NOT err MATCHES "usage: morvel-screenshot ")
    message(FATAL_ERROR "'${ARGN}': stdout '${out}', stderr '${err}'")
  endif()
  expect_no_file("'${ARGN}'")
endfunction()

expect_refused(--bogus table.png)
expect_refused(-x)
expect_refused(table.png nonsense)
expect_refused()
expect_refused(a.png table extra)
run(2 "--bo\ngus")
if(NOT err MATCHES "^morvel-screenshot: unknown option --bo\\\\x0agus\n")
  message(FATAL_ERROR "an option with a line break is not shown on one line: '${err}'")
endif()

run(0 -- -table.png help)
if(NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "a good run printed: stdout '${out}', stderr '${err}'")
endif()
file(READ ${DIR}/-table.png magic LIMIT 4 HEX)
if(NOT magic STREQUAL "89504e47")
  message(FATAL_ERROR "-table.png is not a PNG")
endif()
file(REMOVE_RECURSE ${DIR})
