# Run by cpack before and after each generator (CPACK_PRE_BUILD_SCRIPTS,
# CPACK_POST_BUILD_SCRIPTS): what CPack leaves to the clock, the umask or the
# file system's order is fixed, so that the same sources make the same
# packages (packaging/check-reproducible). The dates are SOURCE_DATE_EPOCH's
# (per-generator.cmake); the setup has none (NSIS.template.in).
if(NOT CPACK_PACKAGE_FILES)
  # Before: CPack makes the staged folders under the caller's umask.
  file(CHMOD_RECURSE ${CPACK_TEMPORARY_INSTALL_DIRECTORY} DIRECTORY_PERMISSIONS
       OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  return()
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(timestamp --timestamp $ENV{SOURCE_DATE_EPOCH})
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.zip$")
    # The zip's entries: one date, in UTC, their order and modes fixed.
    execute_process(COMMAND strip-nondeterminism --type zip ${timestamp} ${package} COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "\\.deb$")
    # The Debian package's three members, written with the umask's modes:
    # again with binutils' deterministic ar (owner 0, mode 644, no date).
    set(members debian-binary control.tar.gz data.tar.gz)
    set(dir ${CPACK_TOPLEVEL_DIRECTORY}/ar)
    file(REMOVE_RECURSE ${dir})
    file(MAKE_DIRECTORY ${dir})
    execute_process(COMMAND ar x ${package} WORKING_DIRECTORY ${dir} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${package})
    execute_process(COMMAND ar rcD ${package} ${members} WORKING_DIRECTORY ${dir} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
