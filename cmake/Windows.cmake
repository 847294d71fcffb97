# The program for Windows: a folder that runs as it is, made by the target windows-package
# (scripts/build-windows.sh) into a portable zip and an installer:
#   kvarnet.exe, kvarnet-calc.exe            the program and the command line
#   Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll  Qt, as DLLs (LGPL-3), with platforms/qwindows.dll
#   libstdc++-6.dll, libgcc_s_seh-1.dll,     the C++ runtime of MinGW-w64, which Qt's DLLs and
#   libwinpthread-1.dll                      the programs share
#   avformat-59.dll, avcodec-59.dll,         FFmpeg (LGPL-2.1 or later), through which the
#   avutil-57.dll, swscale-6.dll             video library reads video files
#   translations/qtbase_ru.qm                Qt's own dialog texts in Russian
#   zelt.html, avto.avi                      the documents the program opens
#   licenses/                                the licences, and where the sources of Qt and
#                                            FFmpeg come from
# The window style is Fusion, which is inside Qt6Widgets.dll: no style plugin.
enable_language(RC)

set(KVARNET_PRODUCT "Кварнет")
set(KVARNET_VENDOR "Кварнет")
set(win_dir ${PROJECT_SOURCE_DIR}/packaging/windows)
set(made ${CMAKE_CURRENT_BINARY_DIR}/made)

# Qt takes its paths from this file inside the program: its plugins and translations are
# looked for in the program's folder only, never at the paths of the machine Qt was built on
# or in the folder above the program.
qt_add_resources(kvarnet "qt_conf" PREFIX /qt/etc BASE ${win_dir} FILES ${win_dir}/qt.conf)

# The icon Explorer and the shortcuts show, from the car icon at 256 pixels; and the version
# in the file's properties.
find_program(KVARNET_CONVERT convert REQUIRED) # ImageMagick
set(KVARNET_ICO ${made}/kvarnet.ico)
add_custom_command(OUTPUT ${KVARNET_ICO}
                   COMMAND ${KVARNET_CONVERT} ${PROJECT_SOURCE_DIR}/resources/icons/kvarnet-256.png
                           -define icon:auto-resize=256,128,64,48,32,24,16 ${KVARNET_ICO}
                   DEPENDS ${PROJECT_SOURCE_DIR}/resources/icons/kvarnet-256.png VERBATIM)
configure_file(${win_dir}/kvarnet.rc.in ${made}/kvarnet.rc @ONLY)
add_custom_target(kvarnet-icon DEPENDS ${KVARNET_ICO})
add_dependencies(kvarnet kvarnet-icon)
set_source_files_properties(${made}/kvarnet.rc PROPERTIES OBJECT_DEPENDS ${KVARNET_ICO})
target_sources(kvarnet PRIVATE ${made}/kvarnet.rc)

# The folder. Qt's DLLs and plugin come from the Qt the program is built with, the runtime
# DLLs from the compiler that built both.
install(TARGETS kvarnet RUNTIME DESTINATION .) # kvarnet-calc's rule puts it beside
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
# FFmpeg's DLLs, from the build of scripts/build-ffmpeg-windows.sh that pkg-config found.
file(GLOB KVARNET_FFMPEG_DLLS ${KVARNET_FFMPEG_PREFIX}/bin/*.dll)
if(NOT KVARNET_FFMPEG_DLLS)
  message(FATAL_ERROR "No FFmpeg DLLs in ${KVARNET_FFMPEG_PREFIX}/bin: build FFmpeg for Windows "
                      "with scripts/build-ffmpeg-windows.sh and name it by PKG_CONFIG_LIBDIR")
endif()
install(FILES ${KVARNET_FFMPEG_DLLS} DESTINATION .)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  install(FILES ${path} DESTINATION .)
endforeach()
set(KVARNET_QT_TRANSLATIONS /usr/share/qt6/translations
    CACHE PATH "Folder of Qt's translations (Debian package qt6-translations-l10n)")
install(FILES ${KVARNET_QT_TRANSLATIONS}/qtbase_ru.qm DESTINATION translations)
install(FILES docs/zelt.html docs/avto.avi DESTINATION .)

# Licences: the program's own, Qt's (the LGPL-3 builds on the GPL-3; Debian's record of Qt's
# authors and licences also covers the libraries bundled in it), the runtime's (GPL-3 with the
# GCC Runtime Library Exception; winpthreads), the embedded fonts', FFmpeg's (LGPL-2.1 or
# later, with its authors); and how to get the sources of this Qt and this FFmpeg, which
# scripts/build-qt-windows.sh and scripts/build-ffmpeg-windows.sh write beside them.
set(KVARNET_LICENSE_FILES
    "${PROJECT_SOURCE_DIR}/packaging/copyright=kvarnet.txt"
    "/usr/share/common-licenses/LGPL-3=LGPL-3.txt"
    "/usr/share/common-licenses/GPL-3=GPL-3.txt"
    "/usr/share/doc/libqt6core6/copyright=Qt.txt"
    "/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright=gcc-runtime.txt"
    "/usr/share/doc/mingw-w64-x86-64-dev/copyright=mingw-w64.txt"
    "/usr/share/doc/fonts-liberation2/copyright=Liberation-fonts.txt"
    "${QT6_INSTALL_PREFIX}/kvarnet-qt-source/SOURCE.txt=Qt-source.txt"
    "${KVARNET_FFMPEG_PREFIX}/kvarnet-ffmpeg-source/LGPL-2.1.txt=FFmpeg-LGPL-2.1.txt"
    "${KVARNET_FFMPEG_PREFIX}/kvarnet-ffmpeg-source/FFmpeg.txt=FFmpeg.txt"
    "${KVARNET_FFMPEG_PREFIX}/kvarnet-ffmpeg-source/SOURCE.txt=FFmpeg-source.txt")
foreach(pair ${KVARNET_LICENSE_FILES})
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  install(FILES ${from} DESTINATION licenses RENAME ${to})
endforeach()
install(DIRECTORY ${QT6_INSTALL_PREFIX}/kvarnet-qt-source/patches/ DESTINATION licenses/Qt-patches)

# windows-package: the folder staged, every executable and DLL stripped, then
# kvarnet-<version>-windows.zip (the folder kvarnet-<version> inside) and
# kvarnet-setup-<version>.exe, made with NSIS.
find_program(KVARNET_MAKENSIS makensis) # Debian package nsis
set(package_name kvarnet-${PROJECT_VERSION})
set(stage ${CMAKE_CURRENT_BINARY_DIR}/package/${package_name})
configure_file(${win_dir}/kvarnet.nsi.in ${made}/kvarnet.nsi @ONLY)
add_custom_target(windows-package
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${stage}
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DSTRIP=${CMAKE_STRIP} -DMADE=${made}
          -P ${win_dir}/stage.cmake
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage}/.. ${CMAKE_COMMAND} -E tar cf
          ${CMAKE_CURRENT_BINARY_DIR}/${package_name}-windows.zip --format=zip ${package_name}
  COMMAND ${KVARNET_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${made}/kvarnet.nsi
  DEPENDS kvarnet kvarnet-calc ${made}/kvarnet.nsi ${win_dir}/stage.cmake
  COMMENT "Making ${package_name}-windows.zip and kvarnet-setup-${PROJECT_VERSION}.exe"
  VERBATIM)
