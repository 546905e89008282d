# The Windows build's Qt: the static cross Qt of scripts/build-qt-windows
# (no SerialPort: the serial port is the system's own there) and the host's
# lrelease, which the cross Qt does not carry.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Test)
find_package(Qt6LinguistTools REQUIRED PATHS ${QT_HOST_PATH_CMAKE_DIR} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

# The runtime and C++ library inside the executables: they import system
# DLLs only and run from any folder.
add_link_options(-static)

# The host's rcc packs with zstd, which this Qt cannot read.
set(KDW_RCC_OPTIONS --compress-algo zlib)
set(KDW_TEST_PLATFORM windows)
enable_language(RC)
# Release executables without their symbols: 21 MB instead of 200.
add_link_options($<$<CONFIG:Release>:-s>)
# GCC 12 warns falsely of overlapping copies inside std::string at -O3.
add_compile_options(-Wno-restrict)
