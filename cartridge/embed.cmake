# Writes OUTPUT, a C++ source holding the bytes of BINARY and the addresses of
# the global symbols Font, ViewTable and ProgramEnd listed in SYMBOLS (nm).
file(READ "${BINARY}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")

file(STRINGS "${SYMBOLS}" lines)
foreach(name Font ViewTable ProgramEnd)
  set(${name} "")
  foreach(line ${lines})
    if(line MATCHES "^([0-9a-fA-F]+) [A-Za-z] ${name}$")
      set(${name} "0x${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(${name} STREQUAL "")
    message(FATAL_ERROR "${SYMBOLS} has no symbol ${name}")
  endif()
endforeach()

file(WRITE "${OUTPUT}.tmp"
"// Made by cartridge/embed.cmake from the assembled car viewer; do not edit.
#include \"cartridge/cartridgeprogram.h\"

extern const unsigned char kCartridgeProgramBytes[];
extern const int kCartridgeProgramSize;
extern const CartridgeSymbols kCartridgeSymbols;

const unsigned char kCartridgeProgramBytes[] = {
    ${bytes}
};
const int kCartridgeProgramSize = ${size};
const CartridgeSymbols kCartridgeSymbols = {${Font}, ${ViewTable}, ${ProgramEnd}};
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
