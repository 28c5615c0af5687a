# Copies the PDF.js viewer script with its default document address emptied,
# so the viewer starts without a document until the program opens a form.
file(READ ${INPUT} text)
set(default_url "defaultUrl: {\n    value: \"compressed.tracemonkey-pldi-09.pdf\",")
string(FIND "${text}" "${default_url}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${INPUT}: the default document address was not found; has the viewer changed?")
endif()
string(REPLACE "${default_url}" "defaultUrl: {\n    value: \"\"," text "${text}")
file(WRITE ${OUTPUT} "${text}")
