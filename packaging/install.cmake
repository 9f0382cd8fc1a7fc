# Installation (`cmake --install build --prefix P`) and the Debian package
# (`cpack -G DEB` in the build folder). KORVANE_GAMES_LAYOUT chooses Debian's
# layout for games, games/korvane with its data in share/games/korvane and its
# sound module in lib/games/korvane; the package is built with it on. Without
# it the program is bin/korvane, its data share/korvane and its module
# lib/korvane, as a user's install into ~/.local expects. The program looks
# for them in both, from its own folder.
include(GNUInstallDirs)
option(KORVANE_GAMES_LAYOUT "Install as Debian's games policy asks (games/, share/games/)" OFF)
set(KORVANE_ID org.korvane.Korvane)
if(KORVANE_GAMES_LAYOUT)
  set(KORVANE_BIN games)
  set(KORVANE_DATA ${CMAKE_INSTALL_DATADIR}/games/korvane)
  set(KORVANE_MODULE lib/games/korvane)
else()
  set(KORVANE_BIN ${CMAKE_INSTALL_BINDIR})
  set(KORVANE_DATA ${CMAKE_INSTALL_DATADIR}/korvane)
  set(KORVANE_MODULE lib/korvane)
endif()
# Where the manual page says the data lies, from the program's folder.
file(RELATIVE_PATH KORVANE_DATA_FROM_BIN /${KORVANE_BIN} /${KORVANE_DATA})

configure_file(${CMAKE_SOURCE_DIR}/packaging/${KORVANE_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/${KORVANE_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/korvane.6 ${CMAKE_BINARY_DIR}/korvane.6 @ONLY)
# Manual page and changelog are installed compressed, reproducibly (no name,
# no time stamp).
set(KORVANE_GZ ${CMAKE_BINARY_DIR}/korvane.6 ${CMAKE_SOURCE_DIR}/packaging/changelog)
list(TRANSFORM KORVANE_GZ REPLACE "^.*/([^/]+)$" "${CMAKE_BINARY_DIR}/\\1.gz" OUTPUT_VARIABLE gz)
foreach(src out IN ZIP_LISTS KORVANE_GZ gz)
  add_custom_command(OUTPUT ${out} COMMAND gzip -9n -c ${src} > ${out} DEPENDS ${src} VERBATIM)
endforeach()
add_custom_target(korvane_docs ALL DEPENDS ${gz})

install(TARGETS korvane RUNTIME DESTINATION ${KORVANE_BIN})
# A private module, not a library for others: no "lib" prefix, no SONAME, and
# not executable. Its folder is fixed (not the multiarch libdir), as the
# program finds it from its own.
install(TARGETS korvane_sound LIBRARY DESTINATION ${KORVANE_MODULE}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${KORVANE_SOUND_OUTPUTS} DESTINATION ${KORVANE_DATA})
install(DIRECTORY ${KORVANE_OUT}/help DESTINATION ${KORVANE_DATA}
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")
install(FILES packaging/${KORVANE_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${KORVANE_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/korvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korvane)
foreach(size 16 24 32 48 64 128 256)
  if(size EQUAL 32)
    set(src ${KORVANE_PICTURES}/icon.png)
  else()
    set(src ${KORVANE_PICTURES}/icon-${size}.png)
  endif()
  install(FILES ${src} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KORVANE_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The KORVANE project")
set(CPACK_PACKAGE_CONTACT "The KORVANE project <korvane@korvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graph-reading game in Japanese and English")
set(CPACK_PACKAGE_DESCRIPTION [=[
In every stage of KORVANE a point moves from the left edge of a plot to the
right under a motion law of its own: a straight line, a parabola, a cosine
swing, a bounce, a race of four bars and more, sixteen stages in all.
Press Answer! as early as you dare and choose the coloured box at the right
edge where the point will arrive; early answers score, late ones cost.

The game keeps a ten-entry high-score table; it speaks Japanese, as designed,
or English, following the desktop's language, and has a help document in
both.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Beyond the libraries: the Japanese faces the window is drawn with and the
# window-system plugins Qt loads at run time (X11; Wayland where present).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-qpa-plugins")
# The toolkit's own Japanese texts (the buttons of message boxes, the text
# box's menu); without them those few stay in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
include(CPack)
