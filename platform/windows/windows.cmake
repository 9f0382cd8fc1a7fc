# The Windows program and its tests, cross-built with MinGW-w64 against the
# Qt that scripts/windows/build-qt.sh made. Included by the top-level
# CMakeLists.txt, which stops after it. Everything the program expects beside
# it (sounds, help, fonts, Qt's libraries and plugins, MinGW's runtime) goes
# to out/, so the program and its tests run in place under Wine, and out/ is
# what the portable zip and the installer ship.
set(host ${KORVANE_HOST_BUILD})
set(KORVANE_OUT ${CMAKE_BINARY_DIR}/out)
file(MAKE_DIRECTORY ${KORVANE_OUT})

# The pictures and catalogues the Linux build made, built in as there.
set(window_pictures title.rgb32 ansmark.png ansmark_en.png cursor.png icon.png)
list(TRANSFORM window_pictures PREPEND ${host}/pictures/)
qt_add_resources(korvane_lib korvane_pictures PREFIX /korvane BASE ${host}/pictures
                 FILES ${window_pictures} OPTIONS -no-compress)
file(GLOB catalogues ${host}/korvane_*.qm)
qt_add_resources(korvane_lib korvane_i18n PREFIX /i18n BASE ${host} FILES ${catalogues})

# The icon, the version and the manifest (DPI awareness, common controls 6,
# no elevation).
string(REPLACE "." "," KORVANE_VERSION_COMMAS "${PROJECT_VERSION}.0")
set(KORVANE_VERSION_4 "${PROJECT_VERSION}.0")
set(KORVANE_ICO ${host}/pictures/icon.ico)
set(KORVANE_MANIFEST ${CMAKE_BINARY_DIR}/korvane.manifest)
configure_file(${CMAKE_SOURCE_DIR}/platform/windows/korvane.manifest ${KORVANE_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/platform/windows/korvane.rc.in ${CMAKE_BINARY_DIR}/korvane.rc
               @ONLY)

add_executable(korvane WIN32 app/main.cpp ${CMAKE_BINARY_DIR}/korvane.rc)
target_link_libraries(korvane PRIVATE korvane_lib)
set_target_properties(korvane PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KORVANE_OUT})

# What lies beside the program.
# MinGW's shared runtime, which Qt's libraries use too.
set(runtime "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    message(FATAL_ERROR "MinGW's ${dll} not found")
  endif()
  list(APPEND runtime ${found})
endforeach()
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
get_filename_component(qt_prefix ${qt_bin} DIRECTORY)
set(qt_dlls ${qt_bin}/Qt6Core.dll ${qt_bin}/Qt6Gui.dll ${qt_bin}/Qt6Widgets.dll)
set(ipa_fonts /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
              /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
              /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf
              /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf)
file(GLOB host_sounds ${host}/out/*.wav)
add_custom_target(korvane_beside ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${runtime} ${qt_dlls} ${host_sounds} ${KORVANE_OUT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVANE_OUT}/platforms ${KORVANE_OUT}/styles
          ${KORVANE_OUT}/fonts ${KORVANE_OUT}/translations
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_prefix}/plugins/platforms/qwindows.dll
          ${qt_prefix}/plugins/platforms/qoffscreen.dll ${KORVANE_OUT}/platforms
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
          ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll ${KORVANE_OUT}/styles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ipa_fonts} ${KORVANE_OUT}/fonts
  # The toolkit's own Japanese texts (its buttons), from Debian's catalogues.
  COMMAND ${CMAKE_COMMAND} -E copy_if_different /usr/share/qt6/translations/qtbase_ja.qm
          ${KORVANE_OUT}/translations
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${host}/out/help ${KORVANE_OUT}/help
  VERBATIM)
add_dependencies(korvane korvane_beside)

if(KORVANE_TESTS)
  enable_testing()
  # Debian's GoogleTest is built for Linux; its sources build for Windows.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB KORVANE_TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp tests/*.h tests/windows/*.cpp)
  add_executable(korvane_tests ${KORVANE_TEST_SOURCES})
  target_link_libraries(korvane_tests PRIVATE korvane_lib Qt6::Test gtest)
  set_target_properties(korvane_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KORVANE_OUT})
  add_dependencies(korvane_tests korvane_beside)
  # The tests' own Qt library, which the game does not ship.
  add_custom_command(TARGET korvane_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_bin}/Qt6Test.dll ${KORVANE_OUT} VERBATIM)
  add_test(NAME korvane_tests COMMAND korvane_tests WORKING_DIRECTORY ${KORVANE_OUT})
  set_tests_properties(korvane_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                                                TIMEOUT 1800)
endif()
