# Cross toolchain for 64-bit Windows with Debian's mingw-w64 (posix threads,
# which Qt's std::thread and std::mutex use): the compilers and where to find
# headers and libraries. scripts/build-qt-windows builds Qt with it;
# toolchain.cmake adds that Qt for the project's `windows` preset.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KDW_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KDW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KDW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KDW_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${KDW_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KDW_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

# Headers and libraries come from the mingw sysroot and the cross Qt only;
# programs (moc, rcc, lrelease) from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KDW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

