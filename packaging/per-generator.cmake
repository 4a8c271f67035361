# Read by cpack before each generator runs (CPACK_PROJECT_CONFIG_FILE).
# The setup program is named as one.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
