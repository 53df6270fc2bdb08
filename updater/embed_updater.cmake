# Turns the built updater program into a C++ source holding its bytes.
# Called with -DINPUT=<updater> -DOUTPUT=<source.cpp> [-DSTRIP=<strip tool>].
set(image "${OUTPUT}.image")
file(COPY_FILE "${INPUT}" "${image}")
if(STRIP)
  execute_process(COMMAND "${STRIP}" --strip-unneeded "${image}" RESULT_VARIABLE stripped)
  if(NOT stripped EQUAL 0)
    message(FATAL_ERROR "could not strip ${image}")
  endif()
endif()
file(READ "${image}" bytes HEX)
file(SIZE "${image}" size)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from the updater program; do not edit.\n"
  "#include \"updater/embedded_updater.h\"\n\n"
  "namespace k3 {\n\nnamespace {\n\n"
  "const char updaterImage[${size}] = {${bytes}};\n\n"
  "}  // namespace\n\n"
  "std::string_view embeddedUpdaterImage() {\n"
  "    return {updaterImage, sizeof updaterImage};\n"
  "}\n\n}  // namespace k3\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
file(REMOVE "${image}")
