# Runs one bounded libFuzzer session: copies the seed corpus into a fresh work
# directory and fuzzes there with a fixed seed. Any finding (crash, sanitizer
# report, violated property, leak, timeout, memory limit) fails the run and
# leaves its input as WORK_DIR/artifacts/crash-* (or leak-*, timeout-*, oom-*).
#
#   cmake -DFUZZER=... -DSEED_CORPUS=... -DWORK_DIR=... [-DDICT=...] [-DSECONDS=20]
#         -P run_fuzz_session.cmake

foreach(var FUZZER SEED_CORPUS WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_fuzz_session.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT DEFINED SECONDS)
  set(SECONDS 20)
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/corpus" "${WORK_DIR}/artifacts")
file(GLOB seeds "${SEED_CORPUS}/*")
if(NOT seeds)
  message(FATAL_ERROR "the seed corpus ${SEED_CORPUS} is empty")
endif()
file(COPY ${seeds} DESTINATION "${WORK_DIR}/corpus")
set(dict_option "")
if(DEFINED DICT)
  set(dict_option "-dict=${DICT}")
endif()

execute_process(
  COMMAND "${FUZZER}"
    -seed=1
    -max_total_time=${SECONDS}
    -rss_limit_mb=2048
    -timeout=10
    -max_len=4096
    -print_final_stats=1
    ${dict_option}
    "-artifact_prefix=${WORK_DIR}/artifacts/"
    "${WORK_DIR}/corpus"
  WORKING_DIRECTORY "${WORK_DIR}"
  RESULT_VARIABLE rc)

if(NOT rc EQUAL 0)
  file(GLOB findings "${WORK_DIR}/artifacts/*")
  message(FATAL_ERROR "the fuzzer stopped with ${rc}; findings: ${findings}")
endif()
