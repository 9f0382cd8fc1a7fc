# Installation (`cmake --install build --prefix P`) and the Debian package
# (`cpack -G DEB` in the build folder). The program finds its data in
# ../share/korvane from its own folder.
include(GNUInstallDirs)
set(KORVANE_ID org.korvane.Korvane)
set(KORVANE_DATA ${CMAKE_INSTALL_DATADIR}/korvane)

configure_file(${CMAKE_SOURCE_DIR}/packaging/${KORVANE_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/${KORVANE_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/korvane.6 ${CMAKE_BINARY_DIR}/korvane.6 @ONLY)
# Manual pages are installed compressed, reproducibly (no name, no time stamp).
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/korvane.6.gz
  COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/korvane.6
  DEPENDS ${CMAKE_BINARY_DIR}/korvane.6
  VERBATIM)
add_custom_target(korvane_man ALL DEPENDS ${CMAKE_BINARY_DIR}/korvane.6.gz)

install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${KORVANE_OUT}/
        DESTINATION ${KORVANE_DATA}
        FILES_MATCHING PATTERN "*.png" PATTERN "*.wav" PATTERN "*.html" PATTERN "*.css"
        PATTERN "icon-*.png" EXCLUDE)
install(FILES packaging/${KORVANE_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${KORVANE_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/korvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
foreach(size 16 24 32 48 64 128 256)
  if(size EQUAL 32)
    set(src ${KORVANE_OUT}/icon.png)
  else()
    set(src ${KORVANE_OUT}/icon-${size}.png)
  endif()
  install(FILES ${src} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KORVANE_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The KORVANE project")
set(CPACK_PACKAGE_CONTACT "The KORVANE project <korvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graph-reading game with a Japanese user interface")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Beyond the libraries: the Japanese faces the window is drawn with and the
# window-system plugins Qt loads at run time (X11; Wayland where present).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
