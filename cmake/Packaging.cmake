# Installation in the standard places and the Debian package (cpack -G DEB).
#   cmake --install build/release --prefix /usr/local      # or: cd build/release && cpack -G DEB
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackaging.cmake)
  return()
endif()
include(GNUInstallDirs)

set(RV_PACKAGE_NAME rv8200xc-control-tool)
set(RV_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

if(TARGET rv8200xc-control-tool)
  install(TARGETS rv8200xc-control-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET rv8200xc-camsim)
  install(TARGETS rv8200xc-camsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET rv8200xc-ctl)
  install(TARGETS rv8200xc-ctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(UNIX AND NOT APPLE)
  # Manual pages carry the version from project(); installed compressed, without a time stamp in the gzip header,
  # so that two builds of the same sources give the same package.
  find_program(RV_GZIP gzip REQUIRED)
  set(RV_PACKAGE_OUT ${PROJECT_BINARY_DIR}/packaging)
  set(RV_COMPRESSED)
  set(RV_DEB_VERSION ${PROJECT_VERSION}-1)
  configure_file(${RV_PACKAGING}/man/rv8200xc-control-tool.1 ${RV_PACKAGE_OUT}/rv8200xc-control-tool.1 @ONLY)
  configure_file(${RV_PACKAGING}/man/rv8200xc-camsim.1 ${RV_PACKAGE_OUT}/rv8200xc-camsim.1 @ONLY)
  configure_file(${RV_PACKAGING}/man/rv8200xc-ctl.1 ${RV_PACKAGE_OUT}/rv8200xc-ctl.1 @ONLY)
  configure_file(${RV_PACKAGING}/debian/changelog ${RV_PACKAGE_OUT}/changelog.Debian @ONLY)
  foreach(leaf rv8200xc-control-tool.1 rv8200xc-camsim.1 rv8200xc-ctl.1 changelog.Debian)
    add_custom_command(OUTPUT ${RV_PACKAGE_OUT}/${leaf}.gz
                       COMMAND ${RV_GZIP} -9 -n -c ${RV_PACKAGE_OUT}/${leaf} > ${RV_PACKAGE_OUT}/${leaf}.gz
                       DEPENDS ${RV_PACKAGE_OUT}/${leaf} VERBATIM)
    list(APPEND RV_COMPRESSED ${RV_PACKAGE_OUT}/${leaf}.gz)
  endforeach()
  add_custom_target(rv_packaging_files ALL DEPENDS ${RV_COMPRESSED})

  install(FILES ${RV_PACKAGE_OUT}/rv8200xc-control-tool.1.gz ${RV_PACKAGE_OUT}/rv8200xc-camsim.1.gz
                ${RV_PACKAGE_OUT}/rv8200xc-ctl.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${RV_PACKAGING}/com.orvane.rv8200xc_control_tool.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${RV_PACKAGING}/com.orvane.rv8200xc_control_tool.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${RV_PACKAGING}/icons/rv8200xc-control-tool.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${RV_PACKAGING}/icons/hicolor/${size}x${size}/apps/rv8200xc-control-tool.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  set(RV_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${RV_PACKAGE_NAME})
  install(FILES ${RV_PACKAGING}/debian/copyright ${RV_PACKAGE_OUT}/changelog.Debian.gz DESTINATION ${RV_DOCDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md ${PROJECT_SOURCE_DIR}/docs/user-guide-scripting.md
          DESTINATION ${RV_DOCDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${RV_DOCDIR} FILES_MATCHING PATTERN "*.png")
endif()

# The Debian package: the programs link Debian's Qt 6; dpkg-shlibdeps finds the libraries, and the Qt platform
# plugins (loaded at run time, so invisible to it) are named here.
set(CPACK_PACKAGE_NAME ${RV_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control tool for RV-8200-XC line-scan cameras")
set(CPACK_PACKAGE_CONTACT "RV-8200-XC Control Tool developers <rv8200xc-tools@orvane.example>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${RV_PACKAGE_NAME})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvane.example/rv8200xc")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# The synopsis above, then this text; CPack indents it and marks the empty line as Debian wants.
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop program for the RV-8200-XC colour line-scan cameras. It reaches the
camera over its serial control channel, through a PC serial port or the
serial library of a Camera Link frame grabber, reads and changes every
parameter on tabbed pages, stores and loads the camera's flash areas and
setting files, runs calibrations and moves gamma and shading tables to and
from CSV files.

The package also holds rv8200xc-ctl, a command-line companion for scripted
set-up, and rv8200xc-camsim, a simulated camera on a pseudo-terminal, to
try the tool without hardware.")
include(CPack)

if(RV_BUILD_TESTS AND UNIX AND NOT APPLE AND TARGET rv8200xc-control-tool AND TARGET rv8200xc-camsim)
  add_test(NAME install_layout
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DPREFIX=${PROJECT_BINARY_DIR}/install-check
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckInstall.cmake)
endif()
