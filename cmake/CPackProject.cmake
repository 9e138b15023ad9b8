# Read by cpack for each package it makes. Debian keeps games' programs in /usr/games (the
# programs still find their run-time tree in /usr/share/kelvane, see cmake/InstallTime.cmake).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(ENV{KELVANE_PROGRAM_DIR} games)
endif()
