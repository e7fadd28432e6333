# Installation and the Debian package. Layout under the prefix:
#   games/fleetwing, games/vela-run  launchers (shell scripts) that find the rest relative to them;
#                                    games/ is where Debian keeps a game's commands (on its PATH)
#   lib/fleetwing/                   the real programs
#   share/fleetwing/assets/          scenes, sprites and sounds; the game's working directory
#   share/applications, share/icons  desktop entry and icon
#   share/man, share/doc/fleetwing   manual pages, copyright and changelog

# Folders below the prefix follow GNUInstallDirs, so a packager moves them with the usual
# CMAKE_INSTALL_* variables; games/ has no such variable and gets one of its own.
set(FLEETWING_GAMESDIR games CACHE STRING "Folder of the game's commands, below the prefix")
set(FLEETWING_PROGRAMDIR ${CMAKE_INSTALL_LIBDIR}/fleetwing)
set(FLEETWING_DATADIR ${CMAKE_INSTALL_DATADIR}/fleetwing)
set(FLEETWING_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/fleetwing)
set(FLEETWING_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(FLEETWING_STAGED ${CMAKE_BINARY_DIR}/packaging)

# Each launcher reaches the programs and the data through paths relative to its own folder.
function(fleetwing_launcher name dir)
    file(RELATIVE_PATH FLEETWING_LAUNCHER_TO_PROGRAMS /${dir} /${FLEETWING_PROGRAMDIR})
    file(RELATIVE_PATH FLEETWING_LAUNCHER_TO_DATA /${dir} /${FLEETWING_DATADIR})
    configure_file(${FLEETWING_PACKAGING_DIR}/${name}.sh.in ${FLEETWING_STAGED}/${dir}/${name}
                   @ONLY)
    install(PROGRAMS ${FLEETWING_STAGED}/${dir}/${name} DESTINATION ${dir})
endfunction()
fleetwing_launcher(fleetwing ${FLEETWING_GAMESDIR})
fleetwing_launcher(vela-run ${FLEETWING_GAMESDIR})

# Debian wants manual pages and the changelog compressed, without a time stamp in the header.
set(FLEETWING_COMPRESSED)
foreach(source fleetwing.6 vela-run.1 changelog)
    set(out ${FLEETWING_STAGED}/${source}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND gzip -9n -c ${FLEETWING_PACKAGING_DIR}/${source} > ${out}
        DEPENDS ${FLEETWING_PACKAGING_DIR}/${source}
        VERBATIM)
    list(APPEND FLEETWING_COMPRESSED ${out})
endforeach()
add_custom_target(fleetwing_packaging_files ALL DEPENDS ${FLEETWING_COMPRESSED})

install(TARGETS fleetwing vela-run RUNTIME DESTINATION ${FLEETWING_PROGRAMDIR})
# The game's bold face is the one fonts-dejavu-core (a dependency of the package) installs:
# where that file is, the installed assets link to it rather than hold a second copy.
set(FLEETWING_SYSTEM_BOLD_FONT "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
    CACHE FILEPATH "The system's DejaVu Sans Bold, linked from the installed assets when present")
if(FLEETWING_SYSTEM_BOLD_FONT AND EXISTS "${FLEETWING_SYSTEM_BOLD_FONT}")
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets DESTINATION ${FLEETWING_DATADIR}
            PATTERN ASSETS.md EXCLUDE PATTERN DejaVuSans-Bold.ttf EXCLUDE)
    # Relative, as Debian wants links within /usr, and right for any prefix.
    install(CODE "set(fonts \"\${CMAKE_INSTALL_PREFIX}/${FLEETWING_DATADIR}/assets/fonts\")
        file(RELATIVE_PATH target \"\${fonts}\" \"${FLEETWING_SYSTEM_BOLD_FONT}\")
        file(CREATE_LINK \"\${target}\" \"\$ENV{DESTDIR}\${fonts}/DejaVuSans-Bold.ttf\" SYMBOLIC)")
else()
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets DESTINATION ${FLEETWING_DATADIR}
            PATTERN ASSETS.md EXCLUDE)
endif()
install(FILES ${FLEETWING_PACKAGING_DIR}/fleetwing.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/256x256/apps)
foreach(size 48 64 128)
    install(FILES ${FLEETWING_PACKAGING_DIR}/icons/fleetwing-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
            RENAME fleetwing.png)
endforeach()
# Software centres find the game through its AppStream metadata.
install(FILES ${FLEETWING_PACKAGING_DIR}/fleetwing.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo RENAME org.example.fleetwing.metainfo.xml)
install(FILES ${FLEETWING_STAGED}/fleetwing.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${FLEETWING_STAGED}/vela-run.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${FLEETWING_PACKAGING_DIR}/copyright ${FLEETWING_STAGED}/changelog.gz
        DESTINATION ${FLEETWING_DOCDIR})
install(CODE "set(FLEETWING_PACKAGING_DIR \"${FLEETWING_PACKAGING_DIR}\")
              set(FLEETWING_GAMESDIR \"${FLEETWING_GAMESDIR}\")
              set(FLEETWING_DATADIR \"${FLEETWING_DATADIR}\")
              set(FLEETWING_APPDIR \"${CMAKE_INSTALL_DATAROOTDIR}/applications\")")
install(SCRIPT ${FLEETWING_PACKAGING_DIR}/InstallDesktopEntry.cmake)

# The Debian package: `cpack` in the build folder, or the build's `package` target.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fleetwing)
set(CPACK_PACKAGE_VENDOR "Fleetwing developers")
set(CPACK_PACKAGE_CONTACT
    "Fleetwing maintainers <maintainers@users.noreply.c-seed-6c2ddacc.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D physics game: blow a falling paper plane to the flag")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fleetwing is a single-player 2D physics game. A paper plane falls under gravity\n"
    "and the player never steers it directly: holding the left mouse button makes a\n"
    "fan at the cursor blow the plane away from it. Eight levels of fans, cannons\n"
    "and moving hazards lead to a chequered flag, with stars to find, one checkpoint\n"
    "rescue and a best time to beat.\n"
    "\n"
    "The package also holds vela-run, which runs the game's scenes headless and\n"
    "deterministically for scene authors and tests.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack installs with this prefix below a staging DESTDIR, so the desktop entry written at install
# time names /usr paths.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Shared libraries (SDL2, its image, mixer and font libraries, GLEW, GL) come from the linked
# binaries; the font is opened by path at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# The packaging tests package and start what this build made: build it with them.
if(TARGET fleetwing_tests)
    add_dependencies(fleetwing_tests fleetwing fleetwing_packaging_files)
endif()
