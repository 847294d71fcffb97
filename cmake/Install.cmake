# Where an installed program's files go, in the freedesktop and FHS places under the prefix:
#   bin/kvarnet                                   the program
#   share/kvarnet/                                its documents (help, example video)
#   share/applications/, share/metainfo/          desktop entry and AppStream metadata
#   share/icons/hicolor/<size>/apps/              the car icon at 32 pixels and the sizes of
#                                                 resources/icons (48, 64, 128 and 256)
# and a Debian package of all of it (cpack -G DEB in the build directory).
include(GNUInstallDirs)

# The texts that carry the version or the application id, made from their .in files.
set(made ${CMAKE_CURRENT_BINARY_DIR}/made)
configure_file(data/kvarnet.desktop.in ${made}/${KVARNET_APP_ID}.desktop @ONLY)
configure_file(data/kvarnet.metainfo.xml.in ${made}/${KVARNET_APP_ID}.metainfo.xml @ONLY)
foreach(text changelog kvarnet.1 kvarnet-calc.1)
  configure_file(packaging/${text}.in ${made}/${text} @ONLY)
endforeach()

install(TARGETS kvarnet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cmake --install --strip, and the package) also drops the compiler's
# .comment and .note sections, as Debian strips its packages.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program $<TARGET_FILE_NAME:kvarnet> $<TARGET_FILE_NAME:kvarnet-calc>)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                      RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"strip failed on \${program}\")
      endif()
    endforeach()
  endif()")
install(FILES docs/zelt.html docs/avto.avi DESTINATION ${CMAKE_INSTALL_DATADIR}/kvarnet)
install(FILES ${made}/${KVARNET_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${made}/${KVARNET_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/pictures/icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME ${KVARNET_APP_ID}.png)
# The launcher icons at every size the picture generator paints (kvarnet-<size>.png).
file(GLOB icons RELATIVE ${PROJECT_SOURCE_DIR} resources/icons/kvarnet-*.png)
foreach(icon ${icons})
  string(REGEX REPLACE ".*-([0-9]+)\\.png$" "\\1" size ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KVARNET_APP_ID}.png)
endforeach()

# Debian wants its copyright and changelog in every package's documentation folder, and a
# manual page for every program; both texts compressed.
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kvarnet)
# What lintian is told to accept, each with its reason.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME kvarnet)
foreach(text changelog kvarnet.1 kvarnet-calc.1)
  set(packed ${CMAKE_CURRENT_BINARY_DIR}/${text}.gz)
  add_custom_command(OUTPUT ${packed}
                     COMMAND gzip -9 -n -c ${made}/${text} > ${packed}
                     DEPENDS ${made}/${text} VERBATIM)
  list(APPEND packed_texts ${packed})
endforeach()
add_custom_target(packed-texts ALL DEPENDS ${packed_texts})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kvarnet)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kvarnet.1.gz ${CMAKE_CURRENT_BINARY_DIR}/kvarnet-calc.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME kvarnet)
set(CPACK_PACKAGE_VENDOR "Кварнет")
set(CPACK_PACKAGE_CONTACT "Кварнет <info@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the technical analysis of road accidents")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org)
# The Qt, C++ and FFmpeg libraries (libavformat, libavcodec, libavutil, libswscale), found by
# dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need Qt's platform plugins, which no linked library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own dialog texts in Russian, and xdg-open, through which the program hands the help,
# the standard and the video to the desktop's programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
# The package's file and archive times are the sources' date (cmake/Reproducible.cmake).
set(CPACK_PROJECT_CONFIG_FILE ${made}/cpack-options.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} @ONLY CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "@KVARNET_SOURCE_DATE_EPOCH@" STREQUAL "")
  set(ENV{SOURCE_DATE_EPOCH} @KVARNET_SOURCE_DATE_EPOCH@)
endif()
]])
set(CPACK_PACKAGE_DESCRIPTION
    "A forensic expert types the driver's reaction time, the brake delays, the
deceleration and a skid-mark length or a speed; the program plays a short
animation of a braking car and shows the speed, the stopping distance and
the braking time. Two more windows compute the braking distance by vehicle
category, load and road adhesion, and the mean speed from two dashcam clock
readings; the command line also times a speed by two frames of a video file,
from the file's own frame timestamps. The program speaks Russian.")
include(CPack)
