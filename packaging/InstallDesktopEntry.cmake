# Runs at install time, when the final prefix is known: the desktop entry names the installed
# launcher and starts the game in the installed data folder. FLEETWING_PACKAGING_DIR,
# FLEETWING_GAMESDIR, FLEETWING_DATADIR and FLEETWING_APPDIR are set by the install rule that
# runs this script.
# A relative prefix is taken from the directory the install runs in, as the file rules do.
set(prefix "${CMAKE_INSTALL_PREFIX}")
cmake_path(ABSOLUTE_PATH prefix NORMALIZE)
string(REGEX REPLACE "(.)/$" "\\1" prefix "${prefix}")
set(FLEETWING_LAUNCHER "${prefix}/${FLEETWING_GAMESDIR}/fleetwing")
set(FLEETWING_DATA "${prefix}/${FLEETWING_DATADIR}")

# Exec is a command line: a path with blanks or shell characters goes in double quotes, and the
# few characters that would need escaping there (and '%', a field code) are refused outright.
if(FLEETWING_LAUNCHER MATCHES "[\"`$\\\\%\n]")
    message(FATAL_ERROR "The install prefix '${CMAKE_INSTALL_PREFIX}' cannot be written in a "
                        "desktop entry; choose one without \", `, $, \\ or %.")
endif()
set(FLEETWING_EXEC "${FLEETWING_LAUNCHER}")
if(FLEETWING_LAUNCHER MATCHES "[ \t'<>~|&;*?#()]")
    set(FLEETWING_EXEC "\"${FLEETWING_LAUNCHER}\"")
endif()

set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${FLEETWING_APPDIR}/fleetwing.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${FLEETWING_PACKAGING_DIR}/fleetwing.desktop.in" "${entry}" @ONLY)
file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
