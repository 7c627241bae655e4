# kt_embed(<target> <symbol> <file> [RECORD])
# Builds <file> into <target> as the byte range [<symbol>, <symbol>_end), declared in C++ as
#   extern "C" const unsigned char <symbol>[], <symbol>_end[];
function(kt_embed target symbol input)
  cmake_parse_arguments(ARG "RECORD" "" "" ${ARGN})
  set(output "${CMAKE_BINARY_DIR}/embedded/${symbol}.cpp")
  set(record_flag "")
  if(ARG_RECORD)
    set(record_flag "-DRECORD=1")
  endif()
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} ${record_flag}
            -P "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    COMMENT "Embedding ${input}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
  # The assembler reads the file itself, so the object must be rebuilt when the file changes.
  set_source_files_properties("${output}" TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${input}")
endfunction()
