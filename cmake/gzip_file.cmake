# Compresses INPUT into OUTPUT as Debian wants installed documentation: the best compression, and no
# name or time stamp in the header, so that the same text always gives the same bytes.
#   cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P gzip_file.cmake
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -9 -n -c ${INPUT} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "could not compress ${INPUT}: ${result}")
endif()
