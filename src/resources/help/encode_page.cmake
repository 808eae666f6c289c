# cmake -DINPUT=page.htm -DOUTPUT=out/page.htm -DICONV=/usr/bin/iconv -P encode_page.cmake
# The help sources are UTF-8; the compiled help file carries them in GBK, the code page of its
# language (0x804), which every CHM reader assumes for the contents and the index. The pages'
# charset declarations are changed to match.
file(READ "${INPUT}" text)
string(REPLACE "charset=utf-8" "charset=gb2312" text "${text}")
set(utf8 "${OUTPUT}.utf8")
file(WRITE "${utf8}" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t GBK "${utf8}"
                OUTPUT_FILE "${OUTPUT}"
                ERROR_VARIABLE problem
                RESULT_VARIABLE result)
file(REMOVE "${utf8}")
if(NOT result EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${INPUT}: cannot be written in GBK (a character outside it?): ${problem}")
endif()
