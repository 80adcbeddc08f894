# Installing Quillmere as a desktop application. The Debian package (debian/)
# is built from these same rules. Included from the root CMakeLists.txt once
# the program and tools/ exist; the tests of what it installs are in tests/.
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
install(DIRECTORY ${CMAKE_BINARY_DIR}/gazetteer/syu ${CMAKE_BINARY_DIR}/gazetteer/ji
        ${CMAKE_BINARY_DIR}/gazetteer/betsu ${CMAKE_BINARY_DIR}/gazetteer/chizu
        DESTINATION ${QM_INSTALL_DATADIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quillmere.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${QM_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/example.quillmere.Quillmere.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quillmere.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)


# The map window's pictures for the README (packaging/screenshots.sh), drawn
# by the windows themselves.
if(TARGET Qt6::Test)
  add_executable(qm-map-pictures ${CMAKE_CURRENT_LIST_DIR}/map_pictures.cpp)
  target_link_libraries(qm-map-pictures PRIVATE qm_app Qt6::Test)
endif()
