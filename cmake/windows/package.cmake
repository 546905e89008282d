# `make windows-package`, run by `cmake -P` in the build folder: the program
# directory staged as a portable folder, packed as a .zip, and the installer
# made from the same files by makensis.
#   -DPROGRAM_DIR=... -DVERSION=... -DNSIS_SCRIPT=... -DMAKENSIS=...
set(name kdw-pc-encoder-${VERSION}-windows-x64)
set(stage ${PROGRAM_DIR}/package)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/${name})

set(files Program.exe kdw-cli.exe Eng.dll Chs.dll Cht.dll DEF_U01.sin eng.chm chs.chm cht.chm)
foreach(f ${files})
  if(NOT EXISTS ${PROGRAM_DIR}/${f})
    message(FATAL_ERROR "windows-package: ${PROGRAM_DIR}/${f} is missing")
  endif()
  file(COPY ${PROGRAM_DIR}/${f} DESTINATION ${stage}/${name})
endforeach()
# A first Program.ini, not the build's: its choices are the developer's.
file(WRITE ${stage}/${name}/Program.ini "[Setup]\r\nLanguage=Eng\r\nCOM=COM1\r\n")
file(WRITE ${stage}/installed
  "This program folder is installed for all users: each user's Program.ini,\r\n"
  "Default.sin and backups live in %APPDATA%\\kdw-pc-encoder instead.\r\n")
file(COPY ${PROGRAM_DIR}/kdw.ico DESTINATION ${stage})

file(REMOVE ${PROGRAM_DIR}/${name}.zip ${PROGRAM_DIR}/${name}-setup.exe)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${PROGRAM_DIR}/${name}.zip --format=zip ${name}
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE zipped)
if(NOT zipped EQUAL 0)
  message(FATAL_ERROR "windows-package: the .zip could not be made")
endif()
execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DSOURCE=${stage}/${name}
                        -DOUTFILE=${PROGRAM_DIR}/${name}-setup.exe ${NSIS_SCRIPT}
                RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "windows-package: makensis failed")
endif()
message(STATUS "windows-package: ${PROGRAM_DIR}/${name}.zip, ${PROGRAM_DIR}/${name}-setup.exe")
