# Installing Quillmere as a desktop application. The Debian package (debian/)
# is built from these same rules. Included from the root CMakeLists.txt once
# the program and tools/ exist.
#
# <prefix>/bin/quillmere                  launcher: cd's into the data, runs the program
# <prefix>/libexec/quillmere/quillmere    the program, out of PATH
# <prefix>/share/quillmere/{syu,ji,betsu} the compiled gazetteer
# <prefix>/share/applications/quillmere.desktop
# <prefix>/share/icons/hicolor/<n>x<n>/apps/quillmere.png
# <prefix>/share/metainfo/example.quillmere.Quillmere.metainfo.xml
# <prefix>/share/man/man1/quillmere.1
include(GNUInstallDirs)

set(QM_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/quillmere)
set(QM_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/quillmere)
foreach(dir CMAKE_INSTALL_BINDIR QM_INSTALL_DATADIR QM_INSTALL_PROGRAMDIR)
  if(IS_ABSOLUTE "${${dir}}")
    # The launcher finds the rest relative to itself.
    message(FATAL_ERROR "${dir} must be relative to the install prefix, not ${${dir}}")
  endif()
endforeach()

# Icons, rendered at build time from the program's own drawing.
add_library(qm_icon_sizes STATIC ${CMAKE_CURRENT_LIST_DIR}/icon_sizes.cpp)
target_include_directories(qm_icon_sizes PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qm_icon_sizes PUBLIC qm_widgets)
add_executable(qm-render-icons ${CMAKE_CURRENT_LIST_DIR}/render_icons.cpp)
target_link_libraries(qm-render-icons PRIVATE qm_icon_sizes)

set(QM_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(QM_ICON_FILES)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND QM_ICON_FILES ${QM_ICON_DIR}/hicolor/${size}x${size}/apps/quillmere.png)
endforeach()
add_custom_command(
  OUTPUT ${QM_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:qm-render-icons> ${QM_ICON_DIR}
  DEPENDS qm-render-icons
  COMMENT "Rendering the application icon"
  VERBATIM)
add_custom_target(quillmere_icons ALL DEPENDS ${QM_ICON_FILES})

# The launcher, with its paths to the program and the data relative to bin/.
file(RELATIVE_PATH QM_BIN_TO_DATA /p/${CMAKE_INSTALL_BINDIR} /p/${QM_INSTALL_DATADIR})
file(RELATIVE_PATH QM_BIN_TO_PROGRAM /p/${CMAKE_INSTALL_BINDIR} /p/${QM_INSTALL_PROGRAMDIR}/quillmere)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quillmere.in ${CMAKE_BINARY_DIR}/packaging/quillmere @ONLY)

install(TARGETS quillmere RUNTIME DESTINATION ${QM_INSTALL_PROGRAMDIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/quillmere DESTINATION ${CMAKE_INSTALL_BINDIR})
# The data is built by tools/; without that target (a tree that has no
# compiler yet) the install goes on without it and the launcher says so.
if(TARGET gazetteer)
  set(QM_GAZETTEER_OPTIONAL)
else()
  set(QM_GAZETTEER_OPTIONAL OPTIONAL)
endif()
install(DIRECTORY ${CMAKE_BINARY_DIR}/gazetteer/syu ${CMAKE_BINARY_DIR}/gazetteer/ji
        ${CMAKE_BINARY_DIR}/gazetteer/betsu DESTINATION ${QM_INSTALL_DATADIR} ${QM_GAZETTEER_OPTIONAL})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quillmere.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${QM_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/example.quillmere.Quillmere.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quillmere.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(QM_TESTS)
  find_package(GTest REQUIRED)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  include(GoogleTest)

  # The desktop side of the window: screen readers, 2× scaling, the icon.
  add_executable(qm_desktop_tests ${CMAKE_SOURCE_DIR}/tests/packaging/desktop_test.cpp
    ${CMAKE_SOURCE_DIR}/tests/test_main.cpp)
  target_link_libraries(qm_desktop_tests PRIVATE qm_icon_sizes qm_recwrite qm_test_support GTest::gtest Qt6::Test)
  target_include_directories(qm_desktop_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  # The window's tests once at each scale; the icon's once.
  gtest_discover_tests(qm_desktop_tests TEST_SUFFIX .1x
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=1" TIMEOUT 300
    DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
  gtest_discover_tests(qm_desktop_tests TEST_SUFFIX .2x TEST_FILTER "DesktopTest.*"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2" TIMEOUT 300
    DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)

  # The installed tree: run by scripts/install-check.sh against a prefix it
  # installs into, never on its own.
  add_executable(qm_install_test ${CMAKE_SOURCE_DIR}/tests/packaging/install_test.cpp)
  target_link_libraries(qm_install_test PRIVATE qm_icon_sizes qm_test_support GTest::gtest)
  add_test(NAME install_check
           COMMAND ${CMAKE_COMMAND} -E env CMAKE=${CMAKE_COMMAND}
                   ${CMAKE_SOURCE_DIR}/scripts/install-check.sh ${CMAKE_BINARY_DIR}
                   $<TARGET_FILE:qm_install_test>)
  set_tests_properties(install_check PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()
