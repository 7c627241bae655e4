# Writes a C++ source that carries one file's bytes in the executable's read-only data, with
# the symbols <SYMBOL> and <SYMBOL>_end around them. With RECORD set, the bytes are wrapped in a
# picture record first: record length, "lt" and two zero bytes, image length, image.
# WebAssembly objects name each data section on its own, have no section stack to return to,
# and want every data symbol's size.
# Called at build time:
#   cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... [-DRECORD=1] [-DWASM=1] -P embed_file.cmake
file(SIZE "${INPUT}" size)
set(prefix "")
set(total ${size})
if(RECORD)
  math(EXPR total "${size} + 12")
  math(EXPR record_length "${size} + 8")
  set(prefix "    \".long ${record_length}\\n\"\n    \".ascii \\\"lt\\\\0\\\\0\\\"\\n\"\n    \".long ${size}\\n\"\n")
endif()
set(section ".section .rodata")
set(leave "    \".previous\\n\"\n")
if(WASM)
  set(section ".section .rodata.${SYMBOL},\\\"\\\",@")
  set(leave "    \".size ${SYMBOL}, ${total}\\n\"\n    \".size ${SYMBOL}_end, 0\\n\"\n")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
__asm__(\"${section}\\n\"
    \".balign 16\\n\"
    \".global ${SYMBOL}\\n\"
    \"${SYMBOL}:\\n\"
${prefix}    \".incbin \\\"${INPUT}\\\"\\n\"
    \".global ${SYMBOL}_end\\n\"
    \"${SYMBOL}_end:\\n\"
${leave});
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
