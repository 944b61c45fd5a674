# cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P GzipFile.cmake
# gzip -9n from standard input: the result carries neither a file name nor a
# time stamp, so the package built from it is reproducible.
execute_process(COMMAND gzip -9n INPUT_FILE "${INPUT}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "gzip failed on ${INPUT}: ${result}")
endif()
