# Run by the install scripts of kelvane_install_program() (cmake --install, cpack): chooses the
# programs' folder and completes the desktop entries and manual pages for this install.
# Expects kelvane_bindir, kelvane_datadir, kelvane_mandir, kelvane_relative_data_dir,
# kelvane_gzip, kelvane_scratch and PROJECT_VERSION.

if(NOT "$ENV{KELVANE_PROGRAM_DIR}" STREQUAL "")
  set(kelvane_program_dir "$ENV{KELVANE_PROGRAM_DIR}")
else()
  set(kelvane_program_dir "${kelvane_bindir}")
endif()

# The programs look for the run-time tree at a fixed place relative to themselves.
file(RELATIVE_PATH kelvane_relative "${CMAKE_INSTALL_PREFIX}/${kelvane_program_dir}"
     "${CMAKE_INSTALL_PREFIX}/${kelvane_datadir}/kelvane")
if(NOT kelvane_relative STREQUAL kelvane_relative_data_dir)
  message(FATAL_ERROR "Programs installed in ${kelvane_program_dir}/ would not find their run-time "
                      "tree in ${kelvane_datadir}/kelvane/: they look for it in "
                      "${kelvane_relative_data_dir}/ from their own folder.")
endif()

# Fills this install's paths into `template`; `out_file` receives the completed scratch copy,
# named `scratch_name`.
function(kelvane_configure_for_install program template scratch_name out_file)
  cmake_path(SET KELVANE_PROGRAM_PATH NORMALIZE
             "${CMAKE_INSTALL_PREFIX}/${kelvane_program_dir}/${program}")
  cmake_path(SET KELVANE_DATA_FOLDER NORMALIZE "${CMAKE_INSTALL_PREFIX}/${kelvane_datadir}/kelvane/")
  configure_file("${template}" "${kelvane_scratch}/${scratch_name}" @ONLY)
  set(${out_file} "${kelvane_scratch}/${scratch_name}" PARENT_SCOPE)
endfunction()

function(kelvane_install_file file destination_folder)
  file(INSTALL "${file}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${destination_folder}"
       PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  # A root install must not leave files in the build folder that the builder cannot replace.
  file(REMOVE_RECURSE "${kelvane_scratch}")
endfunction()

# kelvane_install_configured(PROGRAM TEMPLATE applications/ID.desktop)
function(kelvane_install_configured program template destination)
  cmake_path(GET destination FILENAME name)
  cmake_path(GET destination PARENT_PATH folder)
  kelvane_configure_for_install(${program} "${template}" "${name}" completed)
  kelvane_install_file("${completed}" "${kelvane_datadir}/${folder}")
endfunction()

# kelvane_install_manual_page(PROGRAM TEMPLATE): section 6, compressed as Debian keeps manual
# pages (-n leaves the date out, so every install gives the same file).
function(kelvane_install_manual_page program template)
  kelvane_configure_for_install(${program} "${template}" "${program}.6" page)
  if(kelvane_gzip)
    execute_process(COMMAND "${kelvane_gzip}" -9n -f "${page}" COMMAND_ERROR_IS_FATAL ANY)
    set(page "${page}.gz")
  endif()
  kelvane_install_file("${page}" "${kelvane_mandir}/man6")
endfunction()
