# Installs the build into PREFIX and checks the tree; run by ctest as install-tree. APP_ID and
# VERSION are the project's.
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
    share/icons/hicolor/128x128/apps/${APP_ID}.png
    share/icons/hicolor/256x256/apps/${APP_ID}.png
    share/doc/kvarnet/copyright
    share/doc/kvarnet/changelog.gz
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

# The manual pages render without a warning, as lintian checks them.
find_program(man man)
if(man)
  foreach(page kvarnet kvarnet-calc)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LANG=C.UTF-8 MANWIDTH=80
                            ${man} --warnings -l ${PREFIX}/share/man/man1/${page}.1.gz
                    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE warnings)
    if(failed OR warnings)
      message(FATAL_ERROR "manual page ${page}.1:\n${warnings}")
    endif()
  endforeach()
endif()
message(STATUS "installed tree complete and valid")
