# Run by cpack after each generator (CPACK_POST_BUILD_SCRIPTS), after
# reproducible.cmake. Where the package presets name a folder for every package
# (MENSORA_PACKAGES_DIR), the packages just made are copied there and its
# SHA256SUMS is written again for every package of this version it holds.
if(MENSORA_PACKAGES_DIR)
  set(dir ${MENSORA_PACKAGES_DIR})
  file(COPY ${CPACK_PACKAGE_FILES} DESTINATION ${dir})
  file(GLOB packages RELATIVE ${dir} ${dir}/${CPACK_PACKAGE_NAME}[-_]${CPACK_PACKAGE_VERSION}[-_]*)
  list(SORT packages)
  set(sums "")
  foreach(package IN LISTS packages)
    file(SHA256 ${dir}/${package} sum)
    string(APPEND sums "${sum}  ${package}\n")
  endforeach()
  file(WRITE ${dir}/SHA256SUMS "${sums}")
endif()
