# cmake -DGZIP=... -DINPUT=skin.svg -DOUTPUT=du3vor.dll -P compress-skin.cmake
get_filename_component(out_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${out_dir})
execute_process(COMMAND ${GZIP} -9 -n -c ${INPUT}
                OUTPUT_FILE ${OUTPUT}.tmp
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    file(REMOVE ${OUTPUT}.tmp)
    message(FATAL_ERROR "gzip failed on ${INPUT}")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
