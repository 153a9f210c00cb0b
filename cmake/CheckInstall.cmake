# Installs a build into a scratch folder and checks what a desktop, man and the package rely on:
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -P cmake/CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE result
                OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(doc share/doc/rv8200xc-control-tool)
set(expected bin/rv8200xc-control-tool bin/rv8200xc-camsim bin/rv8200xc-ctl share/man/man1/rv8200xc-control-tool.1.gz
             share/man/man1/rv8200xc-camsim.1.gz share/man/man1/rv8200xc-ctl.1.gz share/applications/com.orvane.rv8200xc_control_tool.desktop
             share/metainfo/com.orvane.rv8200xc_control_tool.metainfo.xml
             share/icons/hicolor/scalable/apps/rv8200xc-control-tool.svg
             share/icons/hicolor/48x48/apps/rv8200xc-control-tool.png ${doc}/copyright ${doc}/changelog.Debian.gz
             ${doc}/user-guide.md ${doc}/user-guide-scripting.md)
# Every picture the guide shows is installed beside it.
file(STRINGS ${PREFIX}/${doc}/user-guide.md lines REGEX "images/[A-Za-z0-9_.-]+\\.png")
foreach(line IN LISTS lines)
  string(REGEX MATCHALL "images/[A-Za-z0-9_.-]+\\.png" images "${line}")
  foreach(image IN LISTS images)
    list(APPEND expected ${doc}/${image})
  endforeach()
endforeach()
# The desktop entry names a program and an icon that are installed.
file(STRINGS ${PREFIX}/share/applications/com.orvane.rv8200xc_control_tool.desktop entries REGEX "^(Exec|Icon)=")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^(Exec|Icon)=([^ ]+).*" "\\1;\\2" parts "${entry}")
  list(GET parts 0 key)
  list(GET parts 1 value)
  if(key STREQUAL "Exec")
    list(APPEND expected bin/${value})
  else()
    list(APPEND expected share/icons/hicolor/256x256/apps/${value}.png)
  endif()
endforeach()

list(REMOVE_DUPLICATES expected)
set(missing)
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    list(APPEND missing ${path})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()
list(LENGTH expected count)
message(STATUS "${count} installed files checked in ${PREFIX}")
