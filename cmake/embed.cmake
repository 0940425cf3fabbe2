# ventora_embed(<target> <symbol> <file>): links <file>'s bytes into <target> with the assembler's
# .incbin, so large data (fonts, music) costs no C++ compile time. The bytes are reachable as
#   extern "C" const unsigned char <symbol>[]; extern "C" const unsigned char <symbol>_end[];
function(ventora_embed target symbol file)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/embed_${symbol}.S")
  # WebAssembly objects keep data in named sections and need each symbol's size; ELF wants the
  # note that the stack is not executable.
  if(EMSCRIPTEN)
    set(section "    .section .rodata.${symbol},\"\",@\n")
    set(closing "    .size ${symbol}, ${symbol}_end - ${symbol}\n    .size ${symbol}_end, 1\n")
  else()
    set(section "    .section .rodata\n")
    set(closing "    .section .note.GNU-stack,\"\",@progbits\n")
  endif()
  file(WRITE "${asm}.in"
    "/* SPDX-License-Identifier: MIT */\n"
    "${section}"
    "    .global ${symbol}\n"
    "    .global ${symbol}_end\n"
    "    .balign 16\n"
    "${symbol}:\n"
    "    .incbin \"${file}\"\n"
    "${symbol}_end:\n"
    "    .byte 0\n"
    "${closing}")
  configure_file("${asm}.in" "${asm}" COPYONLY)
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${file}")
  target_sources(${target} PRIVATE "${asm}")
endfunction()
