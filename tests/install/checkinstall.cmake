# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(expected bin/tunewharf share/applications/tunewharf.desktop
    share/metainfo/io.github.tunewharf.Tunewharf.metainfo.xml
    share/icons/hicolor/scalable/apps/tunewharf.svg share/tunewharf/bin/radiolist.ini)
foreach(size 16 22 24 32 48 64 128 256 512)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/tunewharf.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
# A PNG in the wrong size folder is scaled by the desktop and looks blurred.
foreach(size 16 22 24 32 48 64 128 256 512)
  file(READ ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/tunewharf.png header
       LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 16 dims)
  string(SUBSTRING "${header}" 0 16 magic)
  if(NOT magic STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "not a PNG: ${size}x${size}")
  endif()
  string(SUBSTRING "${dims}" 0 8 width)
  string(SUBSTRING "${dims}" 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "icon ${size}x${size} is ${width}x${height}")
  endif()
endforeach()

file(READ ${PREFIX}/share/applications/tunewharf.desktop entry)
foreach(key "Name=" "Name[zh_CN]=" "Comment=" "Comment[zh_CN]=" "Categories=" "Icon=tunewharf")
  string(FIND "${entry}" "${key}" at)
  if(at LESS 0)
    message(FATAL_ERROR "desktop entry lacks ${key}")
  endif()
endforeach()
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/tunewharf.desktop
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${out}")
  endif()
endif()
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                          ${PREFIX}/share/metainfo/io.github.tunewharf.Tunewharf.metainfo.xml
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate: ${out}")
  endif()
endif()
