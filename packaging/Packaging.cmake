# Installed layout beyond the binary and the supplied data, and the Debian package (cpack -G DEB).
# Included from the top-level CMakeLists.txt when the program is built.

# The installed binary carries no debugging symbols (the build tree's copy keeps them).
install(CODE "
  set(kadelo_binary \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kadelo\")
  execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${kadelo_binary}\" RESULT_VARIABLE kadelo_strip)
  if(NOT kadelo_strip EQUAL 0)
    message(FATAL_ERROR \"cannot strip \${kadelo_binary}\")
  endif()")

# Desktop entry and software-centre metadata, named after the application id.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/kadelo.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${KADELO_APP_ID}.desktop)
set(KADELO_PROJECT_LICENSE "LicenseRef-proprietary AND CC-BY-SA-3.0")
set(KADELO_METAINFO ${CMAKE_BINARY_DIR}/${KADELO_APP_ID}.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/packaging/kadelo.metainfo.xml.in ${KADELO_METAINFO} @ONLY)
install(FILES ${KADELO_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVG as drawn, and PNGs rendered from it by a small tool at build time.
install(FILES ${CMAKE_SOURCE_DIR}/assets/kadelo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
add_executable(kadelo_render_icon ${CMAKE_SOURCE_DIR}/packaging/render_icon.cpp)
target_link_libraries(kadelo_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(KADELO_ICON_SIZES 16 32 48 64 128 256)
set(KADELO_ICON_ARGS)
set(KADELO_ICONS)
foreach(size IN LISTS KADELO_ICON_SIZES)
  set(png ${CMAKE_BINARY_DIR}/icons/kadelo-${size}.png)
  list(APPEND KADELO_ICON_ARGS ${size} ${png})
  list(APPEND KADELO_ICONS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kadelo.png)
endforeach()
add_custom_command(OUTPUT ${KADELO_ICONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
  COMMAND kadelo_render_icon ${CMAKE_SOURCE_DIR}/assets/kadelo.svg ${KADELO_ICON_ARGS}
  DEPENDS kadelo_render_icon ${CMAKE_SOURCE_DIR}/assets/kadelo.svg
  COMMENT "Rendering the PNG icons" VERBATIM)
add_custom_target(kadelo_icons ALL DEPENDS ${KADELO_ICONS})
# The window icon is built into the program as raw pixels at the sizes window managers ask for: it
# is then ready at start, where drawing the SVG at every size (or decoding PNGs) cost a good part of
# the start-up.
set(KADELO_WINDOW_ICON_ARGS)
set(KADELO_WINDOW_ICONS)
foreach(size 16 32 48 64 128)
  set(raw ${CMAKE_BINARY_DIR}/window_icon/kadelo-${size}.bgra)
  list(APPEND KADELO_WINDOW_ICON_ARGS ${size} ${raw})
  list(APPEND KADELO_WINDOW_ICONS ${raw})
endforeach()
add_custom_command(OUTPUT ${KADELO_WINDOW_ICONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/window_icon
  COMMAND kadelo_render_icon ${CMAKE_SOURCE_DIR}/assets/kadelo.svg ${KADELO_WINDOW_ICON_ARGS}
  DEPENDS kadelo_render_icon ${CMAKE_SOURCE_DIR}/assets/kadelo.svg
  COMMENT "Rendering the window icon" VERBATIM)
# Stored uncompressed, so the program shows them straight from its own memory.
qt_add_resources(kadelo_screens kadelo_window_icon PREFIX /window_icon BASE ${CMAKE_BINARY_DIR}/window_icon
  FILES ${KADELO_WINDOW_ICONS} OPTIONS --no-compress)
# The same for the pictures of the program's screens at the sizes they are drawn: the main menu's
# mascot (14 poses), the small picture beside it and the two pointer pictures at 32 × 32 pixels (drawing
# their SVGs was a noticeable part of the time to the menu's first picture), the pictures of the about
# and animal fortune screens at 64 × 64. Other sizes, and screens of higher pixel density, draw the SVG.
set(KADELO_PREBUILT_PICTURES)
foreach(picture zedi_0:32 zedi_1:32 zedi_2:32 zedi_3:32 zedi_4:32 zedi_5:32 zedi_6:32 zedi_7:32 zedi_8:32
    zedi_9:32 zedi_10:32 zedi_11:32 zedi_12:32 zedi_13:32 imn:32 pointer1:32 pointer2:32
    zedi_0:64 zedi_talk:64 kadelo:64)
  string(REPLACE ":" ";" picture ${picture})
  list(GET picture 0 name)
  list(GET picture 1 size)
  set(raw ${CMAKE_BINARY_DIR}/pictures/${name}-${size}.bgra)
  add_custom_command(OUTPUT ${raw}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/pictures
    COMMAND kadelo_render_icon ${CMAKE_SOURCE_DIR}/assets/${name}.svg ${size} ${raw}
    DEPENDS kadelo_render_icon ${CMAKE_SOURCE_DIR}/assets/${name}.svg
    COMMENT "Rendering ${name}.svg at ${size} pixels" VERBATIM)
  list(APPEND KADELO_PREBUILT_PICTURES ${raw})
endforeach()
qt_add_resources(kadelo_screens kadelo_pictures PREFIX /pictures BASE ${CMAKE_BINARY_DIR}/pictures
  FILES ${KADELO_PREBUILT_PICTURES} OPTIONS --no-compress)

# Manual page, compressed as Debian keeps them.
set(KADELO_MANPAGE ${CMAKE_BINARY_DIR}/man/kadelo.1)
configure_file(${CMAKE_SOURCE_DIR}/packaging/kadelo.1.in ${KADELO_MANPAGE} @ONLY)
find_program(KADELO_GZIP gzip)
if(KADELO_GZIP)
  add_custom_command(OUTPUT ${KADELO_MANPAGE}.gz
    COMMAND ${KADELO_GZIP} -9nkf ${KADELO_MANPAGE}
    DEPENDS ${KADELO_MANPAGE} ${CMAKE_SOURCE_DIR}/packaging/kadelo.1.in VERBATIM)
  add_custom_target(kadelo_manpage ALL DEPENDS ${KADELO_MANPAGE}.gz)
  install(FILES ${KADELO_MANPAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  install(FILES ${KADELO_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The Debian package: kadelo_<version>_<arch>.deb.
# Section games: Kadelo is fortune-telling for fun, a pastime like fortune-mod (games), not a tool.
set(KADELO_MAINTAINER "Kadelo maintainers <maintainers@users.noreply.c-seed-855c2963.example>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kadelo)
set(CPACK_PACKAGE_VENDOR "Kadelo maintainers")
set(CPACK_PACKAGE_CONTACT "${KADELO_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KADELO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries come from the binary; the Japanese fonts it picks (Noto Sans CJK JP, IPAGothic) do not,
# nor Qt's SVG plugins (the pictures not built in, the pointer pictures of the settings screen), which
# the program loads only when it needs them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-noto-cjk | fonts-ipafont-gothic")
# Japanese buttons in Qt's own dialogs; a native Wayland window instead of XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese name fortune-telling for fun / 遊び心の姓名判断")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kadelo is a small desktop program for Japanese name fortune-telling
(seimei handan), made for fun. Type a surname and a given name: Kadelo
counts the strokes of every character, derives the four fortunes and
grades each of them, with a personality paragraph for the total fortune.
A naming assistant turns kana readings into kanji names and grades every
candidate; a dictionary screen takes new kanji and readings; an animal
fortune works from a birth date.
.
Kadelo は遊び心の姓名判断ソフトです。苗字と名前を入力すると、一文字ずつ
画数を数えて総運・社会運・人生運・伏運を出し、それぞれを判定します。
読みから漢字の名前の候補を作る命名支援、漢字と読みを登録する辞書、
生年月日からの動物占いもあります。")
include(CPack)
