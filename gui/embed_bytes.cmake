# Turns the bytes of INPUT into a C++ source OUTPUT that defines `std::span<const uint8_t>
# FUNCTION()` in namespace kustel, so the program carries the file instead of reading it.
# Run as: cmake -DINPUT=... -DOUTPUT=... -DFUNCTION=... -DHEADER=... -P embed_bytes.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} at build time; do not edit.\n"
  "#include \"${HEADER}\"\n\n"
  "namespace kustel {\nnamespace {\nconst uint8_t kBytes[] = {\n${bytes}\n};\n}  // namespace\n\n"
  "std::span<const uint8_t> ${FUNCTION}() { return kBytes; }\n\n}  // namespace kustel\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
