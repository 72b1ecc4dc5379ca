# Writes OUTPUT, a C++ source that holds the files DOCUMENT and INSTALLED as
# zero-terminated character arrays (vorn_tool::kSampleDocument, kSampleInstalled).
function(embed variable file out)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")
  set(${out} "${${out}}extern const char ${variable}[] = {\n  ${bytes}0};\n" PARENT_SCOPE)
endfunction()

set(text "// Generated from tools/samples/ by embed_samples.cmake: do not edit.\nnamespace vorn_tool {\n")
embed(kSampleDocument ${DOCUMENT} text)
embed(kSampleInstalled ${INSTALLED} text)
string(APPEND text "}  // namespace vorn_tool\n")
file(WRITE ${OUTPUT}.tmp "${text}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
