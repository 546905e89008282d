# Installation the Linux way: the program directory under lib/kdw-pc-encoder/
# (the program, its bundles, the factory file, the help, a template
# Program.ini and the marker that keeps per-user files out of it), commands in
# bin/, and the desktop entry, icons, file type, AppStream data and manual
# pages under share/.

include(GNUInstallDirs)
set(KDW_APP_ID com.kdw.PcEncoder)
set(KDW_INSTALL_PROGRAM_DIR lib/kdw-pc-encoder)
set(KDW_DESKTOP ${CMAKE_SOURCE_DIR}/resources/desktop)
set(KDW_STAGE ${CMAKE_BINARY_DIR}/install-stage)

# What an installed program directory holds besides the build's files.
file(WRITE ${KDW_STAGE}/Program.ini "[Setup]\nLanguage=Eng\nCOM=COM1\n")
file(WRITE ${KDW_STAGE}/installed
  "This program directory is installed for all users: each user's Program.ini,\n"
  "Default.sin and ports/ live in $XDG_CONFIG_HOME/kdw-pc-encoder/ instead.\n")

install(TARGETS Program kdw-cli RUNTIME DESTINATION ${KDW_INSTALL_PROGRAM_DIR})
if(TARGET kdw-radio-sim)
  install(TARGETS kdw-radio-sim RUNTIME DESTINATION ${KDW_INSTALL_PROGRAM_DIR})
endif()
install(FILES
  ${KDW_PROGRAM_DIR}/Eng.dll ${KDW_PROGRAM_DIR}/Chs.dll ${KDW_PROGRAM_DIR}/Cht.dll
  ${KDW_PROGRAM_DIR}/DEF_U01.sin
  ${KDW_STAGE}/Program.ini ${KDW_STAGE}/installed
  DESTINATION ${KDW_INSTALL_PROGRAM_DIR})
foreach(lang eng chs cht)
  install(FILES ${KDW_PROGRAM_DIR}/${lang}.chm DESTINATION ${KDW_INSTALL_PROGRAM_DIR} OPTIONAL)
endforeach()

# bin/: relative links into the program directory. The program finds its
# directory from its own resolved path, so it runs the same through them.
foreach(pair "kdw-pc-encoder:Program" "kdw-cli:kdw-cli" "kdw-radio-sim:kdw-radio-sim")
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 name)
  list(GET pair 1 target)
  install(CODE "
    set(dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${dir}\")
    file(REMOVE \"\${dir}/${name}\")
    file(CREATE_LINK \"../${KDW_INSTALL_PROGRAM_DIR}/${target}\" \"\${dir}/${name}\" SYMBOLIC)
    message(STATUS \"Installing: \${dir}/${name} -> ../${KDW_INSTALL_PROGRAM_DIR}/${target}\")")
endforeach()

install(FILES ${KDW_DESKTOP}/${KDW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KDW_DESKTOP}/${KDW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KDW_DESKTOP}/${KDW_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${KDW_DESKTOP}/icons/${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KDW_APP_ID}.png)
endforeach()
install(FILES ${KDW_DESKTOP}/icons/scalable.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KDW_APP_ID}.svg)

# Manual pages, compressed as Debian ships them.
set(KDW_MAN_PAGES)
foreach(page kdw-pc-encoder kdw-cli kdw-radio-sim)
  set(gz ${KDW_STAGE}/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/docs/man/${page}.1 > ${gz}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/${page}.1
    COMMENT "Compressing manual page ${page}.1")
  list(APPEND KDW_MAN_PAGES ${gz})
endforeach()
add_custom_target(kdw_man ALL DEPENDS ${KDW_MAN_PAGES})
install(FILES ${KDW_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/tools/cli/kdw-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kdw-cli)

include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
