# Compiles one language's help sources (SOURCE) in a copy (WORK) and puts
# the .chm at OUTPUT. The sources are UTF-8; the help viewers read the
# contents file and the project's title in the code page of the help file's
# language, so those two are converted for the Chinese files. The pages
# declare UTF-8 themselves and stay as they are.

file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCE}/ DESTINATION ${WORK})

set(codepage_chs GBK)
set(codepage_cht BIG5)
if(DEFINED codepage_${LANG})
  if(NOT ICONV)
    message(FATAL_ERROR "iconv is needed to build the ${LANG} help file")
  endif()
  foreach(file ${LANG}.hhc ${LANG}.hhp)
    # The contents file names its charset: from now on the code page.
    file(READ ${SOURCE}/${file} text)
    string(REPLACE "charset=utf-8" "charset=${codepage_${LANG}}" text "${text}")
    file(WRITE ${WORK}/${file}.utf8 "${text}")
    execute_process(COMMAND ${ICONV} -f UTF-8 -t ${codepage_${LANG}} ${WORK}/${file}.utf8
      OUTPUT_FILE ${WORK}/${file}
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${file} cannot be written in ${codepage_${LANG}}")
    endif()
  endforeach()
endif()

execute_process(COMMAND ${CHMCMD} --no-html-scan ${LANG}.hhp
  WORKING_DIRECTORY ${WORK}
  OUTPUT_QUIET ERROR_QUIET
  RESULT_VARIABLE failed)
if(failed OR NOT EXISTS ${WORK}/${LANG}.chm)
  message(FATAL_ERROR "chmcmd could not compile ${LANG}.hhp")
endif()
file(COPY_FILE ${WORK}/${LANG}.chm ${OUTPUT})
