# Builds the sample page: the fragment that the batch tool wrote for a template, put into the
# page template. Called with -DFRAGMENT= -DTEMPLATE_NAME= -DPAGE_IN= -DPAGE_OUT=.
file(READ "${FRAGMENT}" menu)
# The fragment's own HTML element lines have no place inside a page's body.
string(REPLACE "<HTML>\r\n" "" menu "${menu}")
string(REPLACE "</HTML>\r\n" "" menu "${menu}")
string(APPEND menu "<script src=\"zorvex.js\"></script>")
file(READ "${PAGE_IN}" page)
string(REPLACE "@TEMPLATE@" "${TEMPLATE_NAME}" page "${page}")
string(REPLACE "@MENU@" "${menu}" page "${page}")
file(WRITE "${PAGE_OUT}" "${page}")
