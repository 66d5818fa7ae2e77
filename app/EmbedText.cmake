# Writes a C++ source that holds the text of file IN as a raw string
# literal, returned by the function NAME: cmake -DIN=... -DOUT=... -DNAME=...
# -P EmbedText.cmake. The build runs it whenever IN changes.
file(READ "${IN}" text)
set(delimiter "plwtxt")
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${IN} contains the raw string delimiter )${delimiter}\"")
endif()
file(WRITE "${OUT}"
  "// Generated from ${IN}; edit that file instead.\n"
  "#include <string_view>\n\n"
  "namespace korvo {\n\n"
  "std::string_view ${NAME}() {\n"
  "  static constexpr std::string_view text = R\"${delimiter}(${text})${delimiter}\";\n"
  "  return text;\n"
  "}\n\n"
  "}  // namespace korvo\n")
