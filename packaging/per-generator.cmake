# Read by cpack before each generator runs (CPACK_PROJECT_CONFIG_FILE).
# The setup program is named as one.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
# Every date in the packages is the last commit's, unless the caller sets
# SOURCE_DATE_EPOCH: the Debian package's files, the stripped mensora.exe's
# header and the zip's entries (collect.cmake).
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${CPACK_MENSORA_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed)
    message(WARNING "no git commit to date the packages by: set SOURCE_DATE_EPOCH")
  else()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  endif()
endif()
