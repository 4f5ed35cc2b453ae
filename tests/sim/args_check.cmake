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
expect_refused("--players" --players weak)
expect_refused("--seat1" --seat1 "")
expect_refused("--steps" --steps 0)
expect_refused("--steps" --steps many)
expect_refused("--save-at cannot go with a strong player" --seat1 strong --save-at 5 /dev/null)
expect_refused("--resume cannot go with a strong player" --players strong --resume /dev/null)

execute_process(COMMAND ${SIM} --games 1 --clock 86399999:86399999 --trace
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "^game 1 NORMAL\n" OR NOT out MATCHES "\nend 1 " OR
   NOT err MATCHES "^games 1 deals 20 seconds [0-9.]+ deals_per_second [0-9]+ cpu_seconds [0-9.]+ deals_per_cpu_second [0-9]+( seat[1-4]_mean -?[0-9]+\\.[0-9] seat[1-4]_ci95 0\\.0)+\n$")
  message(FATAL_ERROR "a good run failed: status ${status}, stderr '${err}'")
endif()
# Strong players at every seat, with a small budget: the same games from the same clock, and
# their decision times in the summary.
foreach(run 1 2)
  execute_process(COMMAND ${SIM} --mode complex --games 1 --clock 5000:77 --players strong
    --seat1 strong --steps 300 --trace RESULT_VARIABLE status OUTPUT_VARIABLE out${run} ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out${run} MATCHES "\nend 1 " OR
     NOT err MATCHES " strong_decisions [1-9][0-9]* median_ms [0-9.]+ p99_ms [0-9.]+\n$")
    message(FATAL_ERROR "a run of strong players failed: status ${status}, stderr '${err}'")
  endif()
endforeach()
if(NOT out1 STREQUAL out2)
  message(FATAL_ERROR "strong players played a clock two ways")
endif()
execute_process(COMMAND ${SIM} --games 0 RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "no games should print nothing: status ${status}, stdout '${out}'")
endif()

# A refused argument is echoed in quotes with its control characters escaped, on one line.
string(ASCII 27 escape)
string(ASCII 194 133 next_line)  # U+0085, a C1 control
expect_refused("--name 'vesk\\\\n' is a computer" --name "vesk\n")
expect_refused("--mode must be normal or complex, not '\\\\x1b\\[31mred'" --mode "${escape}[31mred")
expect_refused("unknown argument '--x\\\\tz\\\\u0085'" "--x\tz${next_line}")

# Output that is lost is a failure: one line on standard error, status 1.
function(expect_lost description)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE err)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines count)
  if(NOT status EQUAL 1 OR NOT count EQUAL 1 OR NOT err MATCHES "^morvel-sim: the trace could not be written")
    message(FATAL_ERROR "${description}: status ${status}, stderr '${err}'")
  endif()
endfunction()
expect_lost("a full device" ${SIM} --games 1 --trace OUTPUT_FILE /dev/full)
expect_lost("a closed standard output" sh -c "exec \"$0\" --games 1 --trace >&-" ${SIM})

# The trace comes as it is made: the first line of a run of a hundred million games arrives at
# once, and the run ends when nobody reads on.
execute_process(COMMAND sh -c "timeout 60 \"$0\" --games 100000000 --trace | head -n 1" ${SIM}
  RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "game 1 NORMAL\n")
  message(FATAL_ERROR "the trace did not stream: status ${status}, stdout '${out}'")
endif()

# A run saved at a trace line and resumed from its file prints the rest of the uncut run.
set(run ${CMAKE_CURRENT_BINARY_DIR}/args-check-run.sav)
execute_process(COMMAND ${SIM} --mode complex --clock 5000:3 --trace OUTPUT_VARIABLE whole RESULT_VARIABLE status)
execute_process(COMMAND ${SIM} --mode complex --clock 5000:3 --trace --save-at 200 ${run}
  OUTPUT_VARIABLE head RESULT_VARIABLE status1)
execute_process(COMMAND ${SIM} --resume ${run} --trace OUTPUT_VARIABLE tail RESULT_VARIABLE status2)
string(REGEX MATCHALL "\n" head_lines "${head}")
list(LENGTH head_lines head_count)
if(NOT status EQUAL 0 OR NOT status1 EQUAL 0 OR NOT status2 EQUAL 0 OR NOT head_count EQUAL 200 OR
   NOT "${head}${tail}" STREQUAL "${whole}")
  message(FATAL_ERROR "save at line 200 and resume: status ${status1} ${status2}, ${head_count} lines before the cut")
endif()
expect_refused("--save-at needs a trace line" --save-at 0 ${run})
expect_refused("--save-at needs a trace line" --save-at x ${run})
expect_refused("--save-at" --save-at 5)
expect_refused("--clock cannot go with --resume" --resume ${run} --clock 5)
expect_refused("cannot resume '/nonexistent/run': No such file" --resume /nonexistent/run)
expect_refused("cannot resume .*: not a run saved by morvel-sim" --resume ${CMAKE_CURRENT_LIST_FILE})
# A line the run never reaches: status 1, no file.
file(REMOVE ${run})
execute_process(COMMAND ${SIM} --games 1 --save-at 100000 ${run} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "the run ended at trace line [0-9]+, before line 100000" OR EXISTS ${run})
  message(FATAL_ERROR "a line past the end: status ${status}, stderr '${err}'")
endif()
