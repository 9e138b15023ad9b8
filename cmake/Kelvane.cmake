# Shared build settings for every target of the game.
add_library(kelvane_options INTERFACE)
target_compile_options(kelvane_options INTERFACE -Wall -Wextra -Wpedantic)
if(KELVANE_WERROR)
  target_compile_options(kelvane_options INTERFACE -Werror)
endif()
if(KELVANE_SANITIZE)
  target_compile_options(kelvane_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=undefined)
  target_link_options(kelvane_options INTERFACE -fsanitize=address,undefined)
endif()

# kelvane_subsystem(NAME [DEPS ...]): a static library of every .cpp in this folder.
function(kelvane_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(kelvane_${name} STATIC ${sources})
  target_include_directories(kelvane_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kelvane_${name} PUBLIC kelvane_options ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()
