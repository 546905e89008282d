include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw64.cmake)

# The project's build: the cross Qt, whose moc, rcc and uic come from the
# host's Qt of the same version, and Wine to run what it builds (the factory
# file at build time, the tests).
if(NOT DEFINED KDW_QT_WINDOWS)
  execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../../scripts/build-qt-windows --prefix
                  OUTPUT_VARIABLE KDW_QT_WINDOWS OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(KDW_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KDW_QT_WINDOWS})
  list(APPEND CMAKE_PREFIX_PATH ${KDW_QT_WINDOWS})
endif()
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
