# Turns a data file into a C++ fragment holding its bytes, so sources stay ASCII while data
# files (translations, the bundled manual) may hold any text.
# Usage: cmake -DINPUT=file -DOUTPUT=file.inc -P EmbedFile.cmake
file(READ "${INPUT}" content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," content "${content}")
file(WRITE "${OUTPUT}.tmp" "${content}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
