# morvel-sim refuses bad arguments with one line on standard error, naming the argument, exit
# status 2 and nothing on standard output; good ones run.
function(expect_refused fragment)
  execute_process(COMMAND ${SIM} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines count)
  if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR NOT count EQUAL 1 OR NOT err MATCHES "${fragment}")
    message(FATAL_ERROR "morvel-sim ${ARGN}: status ${status}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()

expect_refused("--bogus" --bogus)
expect_refused("--mode" --mode easy)
expect_refused("--mode" --mode)
expect_refused("--games" --games -1)
expect_refused("--games" --games two)
expect_refused("--clock" --clock 86400000)
expect_refused("--clock" --clock -5)
expect_refused("--clock" --clock 5:x)
expect_refused("--name" --name " vesk ")

execute_process(COMMAND ${SIM} --games 1 --clock 86399999:86399999 --trace
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "^game 1 NORMAL\n" OR NOT out MATCHES "\nend 1 " OR
   NOT err MATCHES "^games 1 deals 20 seconds ")
  message(FATAL_ERROR "a good run failed: status ${status}, stderr '${err}'")
endif()
execute_process(COMMAND ${SIM} --games 0 RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "no games should print nothing: status ${status}, stdout '${out}'")
endif()
