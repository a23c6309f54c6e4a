# Writes a C++ source defining the bytes of a file as an array.
#   -DSRC=<file> -DDST=<generated .cpp> -DSYMBOL=<array name> -DHEADER=<header to include>
file(READ "${SRC}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Break the array into lines of 32 bytes to keep the source readable by tools.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${DST}.tmp"
  "// Generated from ${SRC}; do not edit.\n"
  "#include \"${HEADER}\"\n\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\n"
  "extern const std::size_t ${SYMBOL}Size = ${size};\n")
file(COPY_FILE "${DST}.tmp" "${DST}" ONLY_IF_DIFFERENT)
file(REMOVE "${DST}.tmp")
