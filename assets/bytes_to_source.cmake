# Writes the bytes of INPUT as a C++ array named SYMBOL, with SYMBOL_size beside it, into OUTPUT:
# the embedding for targets whose assembler takes no .incbin.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}.\n#include <cstddef>\n#include <cstdint>\n\n"
    "extern \"C\" {\nextern const uint8_t ${SYMBOL}[${size}];\nextern const size_t ${SYMBOL}_size;\n"
    "const uint8_t ${SYMBOL}[${size}] = {\n${bytes}};\nconst size_t ${SYMBOL}_size = ${size};\n}\n")
