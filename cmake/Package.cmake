# What a distribution wants beside the programs (the copyright and the changelog), and the Debian
# package that `cpack` makes in the build folder (tools/install_test.sh checks both).
set(KELVANE_MAINTAINER "Project Kelvane <kelvane@users.noreply.github.com>")
set(KELVANE_METAINFO ${PROJECT_SOURCE_DIR}/packaging/${KELVANE_APP_ID}.metainfo.xml)

# The changelog comes from the metainfo's releases and release notes.
set(changelog ${CMAKE_BINARY_DIR}/changelog)
set(changelog_commands
    COMMAND ${CMAKE_COMMAND} -DMETAINFO=${KELVANE_METAINFO} -DPACKAGE=${PROJECT_NAME}
            -DVERSION=${PROJECT_VERSION} -DMAINTAINER=${KELVANE_MAINTAINER} -DOUTPUT=${changelog}
            -P ${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake)
if(KELVANE_GZIP)
  list(APPEND changelog_commands COMMAND ${KELVANE_GZIP} -9n -f ${changelog})
  set(changelog ${changelog}.gz)
endif()
add_custom_command(OUTPUT ${changelog} ${changelog_commands}
  DEPENDS ${KELVANE_METAINFO} ${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake
  COMMENT "Writing the changelog from the release notes"
  VERBATIM)
add_custom_target(kelvane_changelog ALL DEPENDS ${changelog})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${changelog}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Project Kelvane")
set(CPACK_PACKAGE_CONTACT ${KELVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down 2D car racing game")
# Debian shows the description as it is: lines of at most 72 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Race a car with the keyboard or a gamepad against computer drivers on\n"
    "tracks seen from above, or watch the computer drivers race. Tracks\n"
    "without a picture get one painted by the game.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kelvane.github.io/")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Read by cpack itself: puts the programs where Debian keeps games.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProject.cmake)
# Run by cpack on the staged files: folders every user can read, whatever the builder's umask.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/CPackFolders.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps when it is there; the fonts are looked up at run time:
# Open Sans for the game's own texts, DejaVu for Hebrew, Arabic and most other scripts in a
# track's title or a player's name. Chinese, Japanese and emoji need the large Noto fonts, which
# are recommended rather than required (some 100 MB).
set(kelvane_fonts "fonts-open-sans, fonts-dejavu-core")
find_program(KELVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KELVANE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${kelvane_fonts}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libsdl2-2.0-0, libsdl2-image-2.0-0, libsdl2-ttf-2.0-0, libsdl2-mixer-2.0-0, libxerces-c3.2, libfontconfig1, libfribidi0, zlib1g, ${kelvane_fonts}")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, fonts-noto-color-emoji")
include(CPack)
