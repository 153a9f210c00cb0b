# The Windows programs as a folder that runs on a PC with nothing else installed, its installer and its ZIP:
#   cmake --install build/mingw --prefix <folder>
#   cd build/mingw && cpack                 # rv8200xc-control-tool-<version>-win64.exe and .zip
# There is no windeployqt for a cross build: what the programs load is listed here. The Qt libraries they link,
# the platform plugin and the native style (found below the program, in platforms/ and styles/), and the
# compiler's run time the Qt libraries need.
set(RV_PACKAGE_NAME rv8200xc-control-tool)
set(RV_WINDOWS_NAME "RV-8200-XC Control Tool")

foreach(program rv8200xc-control-tool rv8200xc-ctl)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION .)
  endif()
endforeach()

if(TARGET rv8200xc-control-tool)
  foreach(module Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
  endforeach()
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
  # The programs carry their own C++ run time (-static); Qt's libraries load these.
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "The compiler does not know where ${dll} is (${path}).")
    endif()
    install(FILES ${path} DESTINATION .)
  endforeach()
  # Debian's MinGW run time and this Qt come with their symbols: stripped, the folder is a third of the size.
  if(CMAKE_STRIP)
    set(copied Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll
               libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    foreach(file IN LISTS copied)
      install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\")")
    endforeach()
  endif()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION . RENAME copyright.txt)
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md ${PROJECT_SOURCE_DIR}/docs/user-guide-scripting.md
        DESTINATION doc)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION doc FILES_MATCHING PATTERN "*.png")

set(CPACK_PACKAGE_NAME ${RV_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control tool for RV-8200-XC line-scan cameras")
set(CPACK_PACKAGE_FILE_NAME ${RV_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${RV_WINDOWS_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${RV_WINDOWS_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/packaging/debian/copyright)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_EXECUTABLES rv8200xc-control-tool ${RV_WINDOWS_NAME})
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME ${RV_WINDOWS_NAME})  # also the Start-menu folder
set(CPACK_NSIS_DISPLAY_NAME ${RV_WINDOWS_NAME})
set(CPACK_NSIS_INSTALLED_ICON_NAME rv8200xc-control-tool.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/rv8200xc-control-tool.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/packaging/windows/rv8200xc-control-tool.ico)
set(CPACK_NSIS_URL_INFO_ABOUT "https://orvane.example/rv8200xc")
set(CPACK_NSIS_CONTACT "rv8200xc-tools@orvane.example")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
# The settings live in the registry's 64-bit view and the tool is a 64-bit program: so is its installer (NSIS's
# amd64 stubs, which also run where Wine has no 32-bit support). CPack's own template, told so on its first line.
set(stock ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${stock} mark LIMIT 3 HEX)
if(mark STREQUAL "efbbbf")  # a byte order mark must not come before the first line
  file(READ ${stock} template OFFSET 3)
else()
  file(READ ${stock} template)
endif()
file(WRITE ${PROJECT_BINARY_DIR}/cpack-nsis/NSIS.template.in "Target amd64-unicode\n${template}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/cpack-nsis)
include(CPack)
