# Installation for a Unix desktop and the Debian package built from it with CPack.
#
# `cmake --install <build>` puts the program, its launcher entry, its icon in the hicolor theme,
# its AppStream metadata, its manual page, copyright and changelog under the prefix.
# `cpack -G DEB` in the build folder packs the same files, installed under /usr, into
# kinematics-test_<version>_<arch>.deb; the Qt libraries it needs become its dependencies
# through dpkg-shlibdeps, and Qt's platform plugins are named beside them. The fonts are built into the program, so no font package is needed.

if(NOT KT_BUILD_QT)
  return()
endif()

include(GNUInstallDirs)

# The application id (KT_APP_ID, CMakeLists.txt) names the launcher entry, the icon and the
# AppStream component. The packaging files are made in build/packaging: the launcher entry, the
# metadata and the manual page filled in with the id and the version, the others copied.
set(KT_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
set(KT_ICON_SIZES 48 64 128 256)
configure_file(${CMAKE_CURRENT_LIST_DIR}/launcher.desktop.in ${KT_PACKAGING_DIR}/${KT_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/metainfo.xml.in ${KT_PACKAGING_DIR}/${KT_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kinematics-test.1.in ${KT_PACKAGING_DIR}/${KT_PROGRAM_NAME}.1 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog ${KT_PACKAGING_DIR}/changelog COPYONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright ${KT_PACKAGING_DIR}/copyright COPYONLY)

install(TARGETS kinematics-test RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
install(FILES ${KT_PACKAGING_DIR}/${KT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT program)
install(FILES ${KT_PACKAGING_DIR}/${KT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT program)
foreach(size IN LISTS KT_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icon/kinematics-test-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KT_APP_ID}.png COMPONENT program)
endforeach()

# The manual page and the changelog are installed compressed, as Debian has them; gzip -n leaves
# out the name and time stamp, so the same source gives the same bytes.
foreach(file ${KT_PROGRAM_NAME}.1 changelog)
  execute_process(COMMAND gzip -n -9 -c ${KT_PACKAGING_DIR}/${file}
                  OUTPUT_FILE ${KT_PACKAGING_DIR}/${file}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${KT_PACKAGING_DIR}/${KT_PROGRAM_NAME}.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
install(FILES ${KT_PACKAGING_DIR}/copyright ${KT_PACKAGING_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${KT_PROGRAM_NAME} COMPONENT program)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KT_PROGRAM_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The kinematics-test developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "test for pupils on the kinematics of straight-line motion")
set(CPACK_PACKAGE_DESCRIPTION
    "Ten multiple-choice questions on velocity-time graphs, equations of velocity,
acceleration and displacement, each in a window of its own, then a result
window that turns the number of wrong attempts into a mark on the five-point
school scale. The interface is in Russian; the whole test can be taken with
the keyboard.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Only the program's own files go into the package, whatever else the build may install.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};program;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The same as the name in the changelog's trailer line.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The kinematics-test developers <kinematics-test@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plugins are not libraries the program links, so dpkg-shlibdeps does not find them.
# The X11 one comes with libqt6gui6; the Wayland one, for a Wayland session without XWayland, is
# named here, since nothing the program links brings it, not even as a recommendation.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
