# Writes a C++ source that carries one file's bytes in the executable's read-only data, with
# the symbols <SYMBOL> and <SYMBOL>_end around them. With RECORD set, the bytes are wrapped in a
# picture record first: record length, "lt" and two zero bytes, image length, image.
# Called at build time: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... [-DRECORD=1] -P embed_file.cmake
file(SIZE "${INPUT}" size)
set(prefix "")
if(RECORD)
  math(EXPR record_length "${size} + 8")
  set(prefix "    \".long ${record_length}\\n\"\n    \".ascii \\\"lt\\\\0\\\\0\\\"\\n\"\n    \".long ${size}\\n\"\n")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
__asm__(\".section .rodata\\n\"
    \".balign 16\\n\"
    \".global ${SYMBOL}\\n\"
    \"${SYMBOL}:\\n\"
${prefix}    \".incbin \\\"${INPUT}\\\"\\n\"
    \".global ${SYMBOL}_end\\n\"
    \"${SYMBOL}_end:\\n\"
    \".previous\\n\");
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
