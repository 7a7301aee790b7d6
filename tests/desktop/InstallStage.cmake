# SPDX-License-Identifier: GPL-3.0-or-later
# Installs BUILD_DIR with prefix /usr into STAGE (as DESTDIR) and checks that the binary, the desktop
# entry, the metainfo (listing a release for VERSION) and the icons in their sizes arrived.
file(REMOVE_RECURSE "${STAGE}")
set(ENV{DESTDIR} "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(usr "${STAGE}/usr")
set(problems "")
foreach(file IN ITEMS "bin/merrin-vale" "share/applications/${APP_ID}.desktop" "share/metainfo/${APP_ID}.metainfo.xml"
                      "share/icons/hicolor/scalable/apps/${APP_ID}.svg")
  if(NOT EXISTS "${usr}/${file}")
    string(APPEND problems "\n  missing ${file}")
  endif()
endforeach()

# A PNG's width and height are the two 32-bit numbers at byte 16.
foreach(size IN ITEMS 128 256)
  set(png "${usr}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
  if(NOT EXISTS "${png}")
    string(APPEND problems "\n  missing ${size}x${size} icon")
    continue()
  endif()
  file(READ "${png}" header HEX OFFSET 16 LIMIT 8)
  math(EXPR dimensions "0x${header}" OUTPUT_FORMAT DECIMAL)
  math(EXPR expected "(${size} << 32) | ${size}" OUTPUT_FORMAT DECIMAL)
  if(NOT dimensions EQUAL expected)
    string(APPEND problems "\n  the ${size}x${size} icon has header ${header}")
  endif()
endforeach()

if(EXISTS "${usr}/share/metainfo/${APP_ID}.metainfo.xml")
  file(READ "${usr}/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
  string(FIND "${metainfo}" "<release version=\"${VERSION}\"" at)
  if(at EQUAL -1)
    string(APPEND problems "\n  the metainfo lists no release ${VERSION}")
  endif()
endif()

if(problems)
  message(FATAL_ERROR "The installed tree in ${STAGE} is incomplete:${problems}")
endif()
