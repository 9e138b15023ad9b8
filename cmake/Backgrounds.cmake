# The shipped tracks' background pictures are painted by the game's own generator at build time
# (reproducibly, with a fixed seed) instead of being kept in the repository; every shipped track
# gets its picture.
option(KELVANE_GENERATE_BACKGROUNDS "Paint the shipped tracks' backgrounds during the build" ON)
set(KELVANE_BACKGROUND_SEED 2008)

if(KELVANE_GENERATE_BACKGROUNDS)
  file(GLOB shipped_tracks CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/tracks/*.rst)
  set(generated_backgrounds)
  foreach(track ${shipped_tracks})
    get_filename_component(name ${track} NAME_WE)
    set(picture ${CMAKE_BINARY_DIR}/tracks/${name}.png)
    add_custom_command(OUTPUT ${picture}
      COMMAND ${CMAKE_COMMAND} -E env SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
              $<TARGET_FILE:kelvane> --seed ${KELVANE_BACKGROUND_SEED}
              --generate-background ${track} ${picture}
      DEPENDS kelvane ${track}
      COMMENT "Painting the background of ${name}"
      VERBATIM)
    list(APPEND generated_backgrounds ${picture})
  endforeach()
  add_custom_target(kelvane_backgrounds ALL DEPENDS ${generated_backgrounds})
  install(FILES ${generated_backgrounds} DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvane/tracks)
endif()
