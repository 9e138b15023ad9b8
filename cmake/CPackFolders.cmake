# Run by cpack after it has staged the files: the folders an install creates (the parents of the
# installed files) get the builder's umask, and a strict one would hide the game from its players.
file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}"
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)
