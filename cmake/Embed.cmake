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
  set(format_flag "")
  if(EMSCRIPTEN)
    set(format_flag "-DWASM=1")
  endif()
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} ${record_flag} ${format_flag}
            -P "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    COMMENT "Embedding ${input}"
    VERBATIM)
  # An object library of its own, made in the calling directory, so that the rule that writes the
  # source is visible to it whichever directory defined <target>.
  add_library(${symbol}_object OBJECT "${output}")
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:${symbol}_object>)
  # The assembler reads the file itself, so the object must be rebuilt when the file changes.
  set_source_files_properties("${output}" PROPERTIES OBJECT_DEPENDS "${input}")
endfunction()
