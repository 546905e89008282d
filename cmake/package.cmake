# `make package`: a Debian package of the installed layout, its library
# dependencies computed by dpkg-shlibdeps.

set(KDW_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kdw-pc-encoder)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/copyright ${KDW_STAGE}/copyright COPYONLY)
file(WRITE ${KDW_STAGE}/changelog
  "kdw-pc-encoder (${PROJECT_VERSION}) stable; urgency=medium\n\n"
  "  * Packaged for Debian 12 with CPack.\n\n"
  " -- KDW PC Encoder developers <encoder@kdw.invalid>  Mon, 07 Dec 2026 00:00:00 +0000\n")
add_custom_command(OUTPUT ${KDW_STAGE}/changelog.gz
  COMMAND gzip -9n -c ${KDW_STAGE}/changelog > ${KDW_STAGE}/changelog.gz
  DEPENDS ${KDW_STAGE}/changelog)
add_custom_target(kdw_changelog ALL DEPENDS ${KDW_STAGE}/changelog.gz)
install(FILES ${KDW_STAGE}/copyright ${KDW_STAGE}/changelog.gz DESTINATION ${KDW_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kdw-pc-encoder)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "KDW PC Encoder developers <encoder@kdw.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for the KDW417 two-way radio")
# CPack puts the summary first, as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Reads the memory of a KDW417 handheld radio (400-470 MHz) over its serial\n"
  "programming cable, edits its 99 channels and function settings, writes the\n"
  "memory back, keeps it in .sin channel data files and prints the channel\n"
  "table, in English, Simplified Chinese or Traditional Chinese. Includes\n"
  "kdw-cli for the same work without a window and kdw-radio-sim, a simulated\n"
  "radio on a pseudo-terminal.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the window-system
# plugins of Qt, and the fonts and help viewer the program looks for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, fonts-liberation, xchm")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
