# Read by cpack before it builds a package.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(CORVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(CORVANE_FILE file)
  if(NOT CORVANE_DPKG_SHLIBDEPS OR NOT CORVANE_FILE)
    message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps (dpkg-dev) and file to "
                        "compute its library dependencies: run bash scripts/install-deps")
  endif()
endif()
