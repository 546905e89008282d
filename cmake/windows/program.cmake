# The Windows program directory: Program.exe without a console window, and
# both executables with their version, description and icon.

find_program(KDW_PYTHON python3 REQUIRED)
set(KDW_DESKTOP_ICONS ${CMAKE_SOURCE_DIR}/resources/desktop/icons)
set(KDW_ICON_FILE ${CMAKE_BINARY_DIR}/kdw.ico)
set(KDW_ICON_SIZES 16 24 32 48 64 256)
list(TRANSFORM KDW_ICON_SIZES PREPEND ${KDW_DESKTOP_ICONS}/ OUTPUT_VARIABLE KDW_ICON_IMAGES)
list(TRANSFORM KDW_ICON_IMAGES APPEND .png)
add_custom_command(OUTPUT ${KDW_ICON_FILE}
  COMMAND ${KDW_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/makeico.py ${KDW_ICON_FILE} ${KDW_ICON_IMAGES}
  DEPENDS ${KDW_ICON_IMAGES} ${CMAKE_CURRENT_LIST_DIR}/makeico.py
  COMMENT "Packing the program icon")
add_custom_target(kdw_icon DEPENDS ${KDW_ICON_FILE})

set_target_properties(Program PROPERTIES WIN32_EXECUTABLE ON)
set(KDW_RC_TARGETS Program kdw-cli)
set(KDW_RC_DESCRIPTIONS "KDW PC Encoder" "KDW PC Encoder command line")
foreach(KDW_FILE_NAME KDW_FILE_DESCRIPTION IN ZIP_LISTS KDW_RC_TARGETS KDW_RC_DESCRIPTIONS)
  set(rc ${CMAKE_BINARY_DIR}/${KDW_FILE_NAME}.rc)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/version.rc.in ${rc} @ONLY)
  target_sources(${KDW_FILE_NAME} PRIVATE ${rc})
  add_dependencies(${KDW_FILE_NAME} kdw_icon)
endforeach()

# make windows-package: the portable .zip and the installer.
find_program(KDW_MAKENSIS makensis)
add_custom_target(windows-package
  COMMAND ${CMAKE_COMMAND} -DPROGRAM_DIR=${KDW_PROGRAM_DIR} -DVERSION=${PROJECT_VERSION}
          -DNSIS_SCRIPT=${CMAKE_CURRENT_LIST_DIR}/installer.nsi -DMAKENSIS=${KDW_MAKENSIS}
          -P ${CMAKE_CURRENT_LIST_DIR}/package.cmake
  VERBATIM)
add_dependencies(windows-package Program kdw-cli kdw_bundles kdw_factory)
if(TARGET kdw_help)
  add_dependencies(windows-package kdw_help)
endif()
