# Installs the build into PREFIX and checks the tree; run by ctest as install-tree. APP_ID and
# VERSION are the project's.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(expected
    bin/kvarnet
    bin/kvarnet-calc
    share/kvarnet/zelt.html
    share/kvarnet/avto.avi
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/32x32/apps/${APP_ID}.png
    share/icons/hicolor/48x48/apps/${APP_ID}.png
    share/icons/hicolor/64x64/apps/${APP_ID}.png
    share/icons/hicolor/128x128/apps/${APP_ID}.png
    share/icons/hicolor/256x256/apps/${APP_ID}.png
    share/doc/kvarnet/copyright
    share/doc/kvarnet/changelog.gz
    share/lintian/overrides/kvarnet
    share/man/man1/kvarnet.1.gz
    share/man/man1/kvarnet-calc.1.gz)
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
  file(SIZE ${PREFIX}/${file} size)
  if(size EQUAL 0)
    message(FATAL_ERROR "installed empty: ${file}")
  endif()
endforeach()

# Each launcher icon is as large as the folder it is in says.
file(GLOB icons ${PREFIX}/share/icons/hicolor/*/apps/${APP_ID}.png)
foreach(icon ${icons})
  string(REGEX MATCH "/([0-9]+)x([0-9]+)/apps/" folder ${icon})
  file(READ ${icon} header OFFSET 16 LIMIT 8 HEX) # the PNG's width and height
  string(SUBSTRING ${header} 0 8 width)
  string(SUBSTRING ${header} 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL CMAKE_MATCH_1 OR NOT height EQUAL CMAKE_MATCH_2)
    message(FATAL_ERROR "${icon} is ${width} x ${height} pixels")
  endif()
endforeach()

# The fonts carried inside the program come with their licence, the SIL Open Font License, in
# full: /usr/share/common-licenses has no copy of it.
file(READ ${PREFIX}/share/doc/kvarnet/copyright copyright)
foreach(clause "Reserved Font Name Liberation" "License: OFL-1.1"
        "SIL OPEN FONT LICENSE Version 1.1" "PREAMBLE" "DEFINITIONS" "PERMISSION & CONDITIONS"
        "1) Neither the Font Software" "2) Original or Modified Versions" "3) No Modified Version"
        "4) The name(s) of the Copyright Holder(s)" "5) The Font Software, modified or unmodified"
        "TERMINATION" "DISCLAIMER" "OTHER DEALINGS IN THE FONT SOFTWARE.")
  string(FIND "${copyright}" "${clause}" at)
  if(at LESS 0)
    message(FATAL_ERROR "copyright lacks the font licence's \"${clause}\"")
  endif()
endforeach()

# The launcher runs the installed program by name and shows the installed icon.
file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop entry)
foreach(line "Exec=kvarnet" "Icon=${APP_ID}")
  list(FIND entry "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "desktop entry lacks ${line}")
  endif()
endforeach()

find_program(desktop_validate desktop-file-validate REQUIRED)
find_program(appstream appstreamcli REQUIRED)
foreach(check "${desktop_validate};${PREFIX}/share/applications/${APP_ID}.desktop"
        "${appstream};validate-tree;--no-net;${PREFIX}")
  execute_process(COMMAND ${check} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    message(FATAL_ERROR "${check}:\n${out}")
  endif()
endforeach()
# The version made into the texts is the project's.
file(STRINGS ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml metainfo REGEX "<release ")
if(NOT metainfo MATCHES "version=\"${VERSION}\"")
  message(FATAL_ERROR "AppStream release is not ${VERSION}: ${metainfo}")
endif()

# The manual pages render without a warning, as lintian checks them, and in no terminal from
# 60 columns up does a line end in a hyphen: a path, option or name copied from the page must
# come out whole.
find_program(man man)
if(man)
  foreach(page kvarnet kvarnet-calc)
    foreach(width 60 70 80 90 100 120)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env LANG=C.UTF-8 MANWIDTH=${width}
                              ${man} --warnings -l ${PREFIX}/share/man/man1/${page}.1.gz
                      RESULT_VARIABLE failed OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
      if(failed OR warnings)
        message(FATAL_ERROR "manual page ${page}.1:\n${warnings}")
      endif()
      string(REGEX MATCH "[^\n]*(-|‐)\n" broken "${text}")
      if(broken)
        message(FATAL_ERROR "manual page ${page}.1 at ${width} columns breaks a word:\n${broken}")
      endif()
    endforeach()
  endforeach()
endif()
message(STATUS "installed tree complete and valid")
